#!/usr/bin/python3
"""kalvira-capture --serve driven by pyvisa, as a lab script drives an instrument: a single record
read as a block against the record file of the same record, and every error number the instrument
reports, each from one bad command. Arguments: kalvira-capture, kalvira-unit."""
import csv
import os
import subprocess
import sys
import tempfile
import time

import pyvisa

CAPTURE, UNIT = sys.argv[1], sys.argv[2]


def start(workdir):
    link = os.path.join(workdir, "com1")
    unit = subprocess.Popen([UNIT, "--link", link, "--fast", "--wave", "sine", "--frequency", "250"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    for _ in range(100):
        if os.path.exists(link):
            break
        time.sleep(0.05)
    log = os.path.join(workdir, "log.csv")
    server = subprocess.Popen([CAPTURE, "--port", link, "--serve", "0", "--output", log],
                              stderr=subprocess.PIPE, text=True)
    words = server.stderr.readline().split()  # kalvira-capture: listening on 127.0.0.1:PORT
    assert words[-2:-1] == ["on"], words
    return unit, server, log, int(words[-1].rsplit(":", 1)[1])


def records_of(log):
    """The values of each record of a log, by record number."""
    with open(log, newline="") as f:
        rows = csv.reader(line for line in f if not line.startswith("#"))
        assert next(rows) == ["record", "sample", "time_s", "value"]
        records = {}
        for record, sample, _, value in rows:
            records.setdefault(int(record), []).append(int(value))
        return records


def error_number(inst):
    return int(inst.query("SYST:ERR?").split(",", 1)[0])


def check_errors(inst):
    bad = [("?", -100), (":TRIG:LEV 1,", -102), (":TRIG:LEV 1,2", -108), (":TRIG:LEV", -109),
           (":TRIGGER:LEVELS 5", -113), (":TRIG:LEV 255", -222), (":ACQ:SRAT 30000", -222),
           (":TRIG:SOUR MOON", -224)]
    for command, number in bad:
        inst.write(command)
        assert error_number(inst) == number, command
        assert error_number(inst) == 0, command
    inst.write(":TRIG:SOUR EXT;:RUN")  # the external trigger never comes: the run goes on
    inst.write(":ACQ:SRAT 200")
    assert error_number(inst) == -221
    inst.write(":STOP")
    for _ in range(11):
        inst.write(":NOSUCH")
    queue = [error_number(inst) for _ in range(11)]
    assert queue == [-113] * 9 + [-350, 0], queue


def main():
    with tempfile.TemporaryDirectory() as workdir:
        unit, server, log, port = start(workdir)
        try:
            rm = pyvisa.ResourceManager("@py")
            inst = rm.open_resource(f"TCPIP::127.0.0.1::{port}::SOCKET", read_termination="\n",
                                    write_termination="\n", timeout=15000)
            assert inst.query("*IDN?").startswith("KALVIRA,KALVIRA-1,"), "IDN"
            inst.write(":ACQ:SRAT 20 kSa/s;POIN 1500;:TRIG:SOUR LEV;LEV 120;SLOP POS")
            assert inst.query(":SINGLE;*OPC?") == "1"
            block = inst.query_binary_values(":WAV:DATA?", datatype="H", is_big_endian=False)
            preamble = inst.query(":WAV:PRE?").split(",")
            assert preamble[:3] == ["1500", "5e-05", "0"], preamble
            assert abs(float(inst.query(":MEAS:FREQ?")) - 250) < 0.5
            enob = float(inst.query(":MEAS:ENOB?"))  # the unit's sine: a 10-bit converter's
            assert 9.5 < enob < 10.5, enob
            check_errors(inst)
            inst.close()
            records = records_of(log)
            assert list(block) == records[1], "the block is the record the file holds"
            assert len(block) == 1500
        finally:
            server.terminate()
            unit.terminate()
            server.wait(10)
            unit.wait(10)
    print("pyvisa: the single record and every error number checked")


if __name__ == "__main__":
    main()
