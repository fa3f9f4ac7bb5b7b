#!/usr/bin/env python3
"""Writes the hand-made seed inputs of the fuzzers into fuzz/corpus/<fuzzer>/.

The committed corpora are these seeds merged with what the fuzzers found
from them (libFuzzer -merge=1 keeps one input per feature):
    python3 fuzz/make_seeds.py
    build/fuzz/<fuzzer> -merge=1 fuzz/corpus/<fuzzer> <folder of new inputs>
"""
import os
import random
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

LATITUDE_UNIT = 360 * 2.4995625765491038e-8   # degrees per host latitude unit
LONGITUDE_UNIT = 360 * 3.552713678800501e-15  # degrees per host longitude unit
NAN = float("nan")
INF = float("inf")

SLOTS = 256
RECORD_BYTES = 184


def write(fuzzer, name, data):
    folder = os.path.join(HERE, "corpus", fuzzer)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "seed_" + name), "wb") as out:
        out.write(data)


def player(name, lat_deg, lon_deg, alt_m, va=100.0, vb=50.0, vs=5.0, heading=90.0, active=1):
    """The first 184 bytes of a network-player slot."""
    record = bytearray(RECORD_BYTES)
    raw = name.encode("latin-1")[:128]
    record[0:len(raw)] = raw
    struct.pack_into("<i", record, 128, active)
    struct.pack_into("<d", record, 136, lat_deg / LATITUDE_UNIT if lat_deg == lat_deg else lat_deg)
    struct.pack_into("<d", record, 144, lon_deg / LONGITUDE_UNIT if lon_deg == lon_deg else lon_deg)
    struct.pack_into("<d", record, 152, alt_m)
    struct.pack_into("<fff", record, 160, va, vb, vs)
    struct.pack_into("<f", record, 180, heading)
    return bytes(record)


def table_input(slots, records, misalignment=0, answer=0, filler=0, click=(100, 100), gauge=0):
    """The net-player fuzzer's input: slot bitmap and records from the front,
    its settings from the end (read last to first)."""
    bitmap = bytearray(SLOTS // 8)
    for slot in slots:
        bitmap[slot // 8] |= 1 << (slot % 8)
    tail = bytes([filler, click[1], click[0], gauge, answer, misalignment])
    return bytes(bitmap) + b"".join(records) + tail


def net_player_seeds():
    near = [
        player("NET1", 0.10, 0.05, 3000.0),
        player("NET2", -0.20, 0.10, 1000.0, heading=270.0),
        player("LOW", 0.05, -0.30, 40.0),  # under the ground filter
    ]
    write("net_player_table_fuzzer", "three_near", table_input([0, 1, 2], near))
    for misalignment in (1, 3, 7, 13):
        write("net_player_table_fuzzer", "three_near_misaligned_%d" % misalignment,
              table_input([0, 5, 200], near, misalignment=misalignment, gauge=misalignment % 4))
    long_name = player("N" * 128, 0.02, 0.02, 2000.0)  # no terminator in the name field
    all_active = near + [long_name, player("\xC4\xD6\xDC\xE9", 0.3, 0.3, 9000.0)]
    write("net_player_table_fuzzer", "all_256_active",
          table_input(range(SLOTS), all_active, misalignment=5, filler=ord("X")))
    hostile = [
        player("NAN", NAN, NAN, NAN, NAN, NAN, NAN, NAN),
        player("INF", INF, -INF, INF, INF, -INF, INF, INF),
        player("HUGE", 0.0, 0.0, 1e300, 3e38, 3e38, 3e38, -3e38),
        player("NEGACTIVE", 0.01, 0.01, 5000.0, active=-2147483648),
    ]
    write("net_player_table_fuzzer", "hostile_values", table_input([0, 1, 2, 3, 255], hostile, misalignment=9))
    write("net_player_table_fuzzer", "status_not_ready", table_input([0, 1], near, answer=6))
    write("net_player_table_fuzzer", "no_table", table_input([0, 1], near, answer=7))
    write("net_player_table_fuzzer", "empty_table", table_input([], [], misalignment=2))


def patterned_seeds(fuzzer, sizes):
    rng = random.Random(fuzzer)
    for size in sizes:
        write(fuzzer, "zeros_%d" % size, bytes(size))
        write(fuzzer, "ones_%d" % size, b"\xff" * size)
        write(fuzzer, "random_%d" % size, bytes(rng.randrange(256) for _ in range(size)))


if __name__ == "__main__":
    net_player_seeds()
    patterned_seeds("traffic_refresh_fuzzer", (64, 600, 2000))
    patterned_seeds("frame_cycle_fuzzer", (96, 500, 2000))
