#!/usr/bin/python3
"""Records that kalvira-capture writes as a sigrok session and as WAV, read back by the field's
own tools: sigrok-cli describes the session, gives back the same values and decodes the same
bytes as kalvira-capture --decode; soxi reads each WAV's rate and length. Arguments:
kalvira-capture, kalvira-unit."""
import json
import os
import subprocess
import sys
import tempfile
import time
import unittest

CAPTURE, UNIT = sys.argv[1], sys.argv[2]


def run(*arguments):
    done = subprocess.run(arguments, capture_output=True, text=True, timeout=60)
    assert done.returncode == 0, (arguments, done.stderr)
    return done.stdout


def run_analog_output(session):
    """sigrok-cli -O analog's lines. sigrok-cli 0.7.2 ends that output with a failed GLib
    assertion and status 1, for its own demo sessions too; nothing else may go wrong."""
    done = subprocess.run(["sigrok-cli", "-i", session, "-O", "analog"], capture_output=True,
                          text=True, timeout=60)
    for line in done.stderr.splitlines():
        assert "g_atomic_ref_count_dec: assertion" in line, done.stderr
    return done.stdout.splitlines()


class FieldTools(unittest.TestCase):
    def start_unit(self, *wave):
        self.link = os.path.join(self.dir.name, "com1")
        self.unit = subprocess.Popen([UNIT, "--link", self.link, "--fast", *wave],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(100):
            if os.path.exists(self.link):
                return
            time.sleep(0.05)
        self.fail("the unit made no link")

    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.unit = None

    def tearDown(self):
        if self.unit:
            self.unit.terminate()
            self.unit.wait()
        self.dir.cleanup()

    def test_a_session_is_described_and_gives_back_the_values(self):
        # A square wave of 100 Hz at 40 kSPS: 200 samples at 812, 200 at 212, read through
        # 0.01 V a count about 512 with a probe of 10: +30 V and -30 V, exact in float32.
        self.start_unit("--wave", "square", "--frequency", "100")
        session = os.path.join(self.dir.name, "square.sr")
        run(CAPTURE, "--port", self.link, "--samples", "1000", "--volts-per-count", "0.01",
            "--zero-count", "512", "--probe", "10", "--output", session)
        shown = run("sigrok-cli", "-i", session, "--show")
        for line in ("Samplerate: 40000", "- D0: logic", "- A0: analog",
                     "Logic sample count: 1000", "Analog sample count: 1000"):
            self.assertIn(line, shown)
        high = [i % 400 < 200 for i in range(1000)]
        rows = [line for line in run("sigrok-cli", "-i", session, "-O", "csv").splitlines()
                if line and not line.startswith(";")]
        self.assertEqual(rows[0], "logic,V DC")
        self.assertEqual([row.split(",")[0] for row in rows[1:]],
                         ["1" if h else "0" for h in high])
        # The CSV output of libsigrok 0.5.2 pairs each logic sample with the next analog one
        # (its own demo sessions read the same way); its analog output keeps them in place.
        values = run_analog_output(session)
        self.assertEqual(values, ["A0: 30.00 V DC" if h else "A0: -30.00 V DC" for h in high])

    def test_two_records_follow_one_another_in_one_session_and_make_two_wavs(self):
        self.start_unit("--wave", "square", "--frequency", "100")
        session = os.path.join(self.dir.name, "two.sr")
        wav = os.path.join(self.dir.name, "two.wav")
        for output in (session, wav):
            run(CAPTURE, "--port", self.link, "--samples", "500", "--rate", "5000", "--records",
                "2", "--output", output)
        self.assertIn("Logic sample count: 1000", run("sigrok-cli", "-i", session, "--show"))
        for name in ("two-1.wav", "two-2.wav"):
            path = os.path.join(self.dir.name, name)
            self.assertEqual(run("soxi", "-r", path).strip(), "5000")
            self.assertEqual(run("soxi", "-s", path).strip(), "500")
            self.assertEqual(run("soxi", "-b", path).strip(), "16")
            self.assertEqual(run("soxi", "-c", path).strip(), "1")
        self.assertFalse(os.path.exists(wav))

    def test_sigrok_decodes_the_same_bytes_as_kalvira(self):
        self.start_unit("--wave", "uart", "--text", "KALVIRA", "--baud", "2400", "--noise",
                        "30")
        session = os.path.join(self.dir.name, "uart.sr")
        lines = run(CAPTURE, "--port", self.link, "--samples", "16000", "--output", session,
                    "--decode", "uart:baudrate=2400,format=ascii").splitlines()
        ours = [a["text"] for a in map(json.loads, lines)
                if a["row"] == "rx-data" and not a["text"].endswith("bit")]
        theirs = [line.split(": ", 1)[1] for line in run(
            "sigrok-cli", "-i", session, "-P", "uart:rx=D0:baudrate=2400:format=ascii", "-A",
            "uart=rx-data").splitlines()]
        theirs = [text for text in theirs if not text.endswith("bit")]
        self.assertGreater(len(ours), 70)
        self.assertIn("KALVIRAKALVIRA", "".join(ours))
        self.assertEqual(ours, theirs)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
