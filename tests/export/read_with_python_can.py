"""Reads a candump log or Vector ASC file with python-can's own readers and
prints each CAN frame as: ID EXTENDED REMOTE FD LENGTH DATA SECONDS."""
import sys

import can

path = sys.argv[1]
reader = can.ASCReader(path) if path.endswith(".asc") else can.CanutilsLogReader(path)
for message in reader:
    data = "" if message.is_remote_frame else bytes(message.data).hex().upper()
    print(
        f"{message.arbitration_id:X} {int(message.is_extended_id)} {int(message.is_remote_frame)} "
        f"{int(message.is_fd)} {message.dlc} {data} {message.timestamp:.6f}"
    )
