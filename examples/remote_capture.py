#!/usr/bin/python3
"""Sets KALVIRA's sample rate, takes ten records and prints their frequency.

Start the window with remote control (kalvira --remote), or kalvira-capture --serve 5025, then:
    python3 examples/remote_capture.py [HOST [PORT]]
"""
import sys

import pyvisa

host = sys.argv[1] if len(sys.argv) > 1 else "127.0.0.1"
port = sys.argv[2] if len(sys.argv) > 2 else "5025"
rm = pyvisa.ResourceManager("@py")
scope = rm.open_resource(f"TCPIP::{host}::{port}::SOCKET", read_termination="\n",
                         write_termination="\n", timeout=20000)
print(scope.query("*IDN?"))
scope.write("*CLS;:ACQ:SRAT 10000;POIN 2000;:TRIG:SOUR LEV;LEV 128;SLOP POS")
for record in range(1, 11):
    scope.query(":SINGLE;*OPC?")  # answers once the record is complete
    frequency = float(scope.query(":MEAS:FREQ?"))
    print(f"record {record}: " + ("no frequency" if frequency > 9e37 else f"{frequency:.3f} Hz"))
print(scope.query(":SYST:ERR?"))
