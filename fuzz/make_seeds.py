#!/usr/bin/env python3
"""Writes the hand-made seed inputs of the fuzzers into fuzz/corpus/<fuzzer>/.

The committed corpora are these seeds merged with what the fuzzers found
from them (libFuzzer -merge=1 keeps one input per feature):
    python3 fuzz/make_seeds.py
    build/fuzz/<fuzzer> -merge=1 fuzz/corpus/<fuzzer> <folder of new inputs>

The seeds `nonfinite_*` hand one number the module reads from the host NaN,
an infinity or a huge value, for every such number of the traffic interface,
the network-player table and the own ship's module variables, to a target
that is airborne, in range and selected by a click on its symbol, and draw
it in the plan, sector and altitude displays. The traffic interface's and
the frame cycle's follow the module's calls into the host as they are
today; should those calls change, a seed stays a valid input that reaches
less.
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

# The own ship of the harnesses: 0 N 0 E, heading 0, 3048 m (10000 ft).
OWN_ALTITUDE_M = 3048.0
OWN_ALTITUDE_FT = 10000.0
# A target 0.05 nm north of the own ship is drawn within a few units of the
# origin of every display at the gauges' first range (40 nm), where a click
# on the origin's pixel of a 200-pixel image, (100, 100), picks it; one
# 20 nm north is drawn where that pixel lies in the sector display.
NEAR_DEG = 0.05 / 60
FAR_DEG = 20.0 / 60
IMAGE_PX = 200
ORIGIN_PX = (100, 100)
# The display modes: plan, sector, altitude.
PLAN, SECTOR, ALTITUDE = 2, 3, 4

# The hostile values of the seeds and where each lies in the harnesses'
# lists of specials (fuzz/support/hostile_values.h): NaN, +inf, -inf and
# the largest or a huge value.
NONFINITE = ("nan", "inf", "neginf", "huge")
DOUBLE_SPECIAL_INDEX = {"nan": 0, "inf": 2, "neginf": 3, "huge": 15}
DOUBLE_SPECIAL_COUNT = 20
FLOAT_SPECIAL_INDEX = {"nan": 0, "inf": 1, "neginf": 2, "huge": 3}
FLOAT_SPECIAL_COUNT = 8
DOUBLE_VALUE = {"nan": NAN, "inf": INF, "neginf": -INF, "huge": 1e300}
FLOAT_VALUE = {"nan": NAN, "inf": INF, "neginf": -INF, "huge": 3e38}


class Provider:
    """The bytes a FuzzedDataProvider hands out, written in the order a
    harness asks for them: integral and floating-point values from the end
    of the data (the first asked for is the last byte, and a value's most
    significant byte comes first), byte strings from its front."""

    def __init__(self):
        self.front = bytearray()
        self.back = bytearray()  # in the order asked for

    def integral(self, value, lo, hi):
        """ConsumeIntegralInRange(lo, hi) answering `value`."""
        span, offset = hi - lo, value - lo
        assert 0 <= offset <= span, (value, lo, hi)
        size = 0
        while size < 8 and span >> (8 * size):
            size += 1
        self.back += offset.to_bytes(size, "big")
        return self

    def boolean(self, flag):
        self.back.append(1 if flag else 0)
        return self

    def pick(self, index, count):
        """PickValueInArray of an array of `count` values."""
        return self.integral(index, 0, count - 1)

    def real(self, value, lo, hi, bits=64):
        """ConsumeFloatingPointInRange(lo, hi), as near `value` as it gets."""
        top = (1 << bits) - 1
        return self.integral(round((value - lo) / (hi - lo) * top), 0, top)

    def raw(self, data):
        self.front += data
        return self

    def size(self):
        return len(self.front) + len(self.back)

    def data(self, padding=b""):
        """The bytes, with `padding` where the front and the back meet: it is
        read once the back is used up."""
        return bytes(self.front) + padding + bytes(reversed(self.back))


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
    # Degrees of the globe in the host's units; anything else (NaN, infinite,
    # huge) as it is.
    struct.pack_into("<d", record, 136, lat_deg / LATITUDE_UNIT if abs(lat_deg) <= 360 else lat_deg)
    struct.pack_into("<d", record, 144, lon_deg / LONGITUDE_UNIT if abs(lon_deg) <= 360 else lon_deg)
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


def net_player_nonfinite_seeds():
    """Slot 1 holds the target (slot 0's player is the list's first record,
    which the displays leave out as the own aircraft), slot 2 one 20 nm
    north. Frames: plan, sector, altitude, plan, each followed by a click on
    the origin's pixel: the target is selected in the plan and the altitude
    display, the far player in the sector display, so every frame after the
    first draws a selection."""
    fields = ("latitude", "longitude", "altitude", "velocity_a", "velocity_b", "vertical_speed", "heading")
    doubles = ("latitude", "longitude", "altitude")
    for n, field in enumerate(fields):
        for value in NONFINITE:
            target = dict(lat_deg=NEAR_DEG, lon_deg=0.0, alt_m=OWN_ALTITUDE_M, va=150.0, vb=80.0, vs=4.0,
                          heading=90.0)
            key = {"latitude": "lat_deg", "longitude": "lon_deg", "altitude": "alt_m", "velocity_a": "va",
                   "velocity_b": "vb", "vertical_speed": "vs", "heading": "heading"}[field]
            target[key] = (DOUBLE_VALUE if field in doubles else FLOAT_VALUE)[value]
            records = [player("OWN", 0.0, 0.0, OWN_ALTITUDE_M), player("TGT", **target),
                       player("FAR", FAR_DEG, 0.0, OWN_ALTITUDE_M)]
            write("net_player_table_fuzzer", "nonfinite_%s_%s" % (field, value),
                  table_input([0, 1, 2], records, click=ORIGIN_PX, gauge=n % 4))


# The traffic interface's variables in the order the module reads them for
# one target, with the range of HostileTraffic's sane answer for each
# (latitude and longitude: an offset from the own ship). Full data, then
# the reduced data of a host that flags it.
TRAFFIC_FULL = (("PLANE HEADING DEGREES MAGNETIC", (-720.0, 720.0)),
                ("INDICATED ALTITUDE", (-100.0, 45000.0)),
                ("VELOCITY WORLD Y", (-6000.0, 6000.0)),
                ("PLANE ALT ABOVE GROUND", (-100.0, 45000.0)),
                ("GROUND VELOCITY", (0.0, 700.0)))
TRAFFIC_REDUCED = (("PLANE ALTITUDE", (-100.0, 45000.0)),
                   ("PLANE HEADING DEGREES TRUE", (-720.0, 720.0)))
TRAFFIC_POSITION = (("PLANE LATITUDE", (-1.0, 1.0)), ("PLANE LONGITUDE", (-1.0, 1.0)))
TRAFFIC_SANE = {"PLANE LATITUDE": NEAR_DEG, "PLANE LONGITUDE": 0.0,
                "PLANE HEADING DEGREES MAGNETIC": 90.0, "PLANE HEADING DEGREES TRUE": 90.0,
                "INDICATED ALTITUDE": OWN_ALTITUDE_FT, "PLANE ALTITUDE": OWN_ALTITUDE_FT,
                "VELOCITY WORLD Y": 500.0, "PLANE ALT ABOVE GROUND": 9000.0, "GROUND VELOCITY": 250.0}
TRAFFIC_SCRIPT_BYTES = 48
MAX_TRAFFIC_ID = (1 << 32) - 1


def traffic_numeric(answers, value, sane_range):
    """One GetNumericValue: a sane value or one of HostileDouble's specials."""
    if isinstance(value, str):
        answers.integral(1, 0, 3).integral(0, 0, 3).pick(DOUBLE_SPECIAL_INDEX[value], DOUBLE_SPECIAL_COUNT)
    else:
        answers.integral(2, 0, 3).real(value, *sane_range)


def traffic_target(answers, name, reduced, values):
    """The answers for one target: position, the reduced-data flag, the
    values and the name (ATC ID, or the traffic name with reduced data)."""
    for variable, sane_range in TRAFFIC_POSITION:
        traffic_numeric(answers, values[variable], sane_range)
    answers.integral(1 if reduced else 0, 0, 3)
    for variable, sane_range in TRAFFIC_REDUCED if reduced else TRAFFIC_FULL:
        traffic_numeric(answers, values[variable], sane_range)
    if reduced:
        answers.integral(1, 0, 5).raw(name + b"\\;")  # a name up to the escape that ends it
    else:
        answers.integral(len(name), 0, 16).raw(name)


def traffic_nonfinite_seed(variable, value, slot):
    """A gauge shows two targets of the traffic interface: the list's first
    (the own aircraft with full data, else one 30 nm south) and the target,
    whose `variable` is `value`. Rounds: a plan frame and a click on the
    origin's pixel that selects the target; a sector frame and an altitude
    frame, each half a second on. The interface answers the same at the
    rebuild of the connection and at that of the first frame, and no more:
    its answers then end, so that the rebuild-free frames after them do not
    depend on how often the module asks for the reduced-data flag (0 once
    the answers have ended)."""
    reduced = variable in dict(TRAFFIC_REDUCED)
    script = Provider()
    script.real(0.0, -85.0, 85.0).real(0.0, -180.0, 180.0).real(0.0, 0.0, 360.0)
    script.integral(1, 0, 15).integral(slot, 0, 3)  # the traffic interface offered; the gauge
    half_second = lambda: script.integral(3, 0, 5)
    mode = lambda m: script.integral(1, 0, 5).integral(m, 2, 4)
    mode(PLAN)
    script.integral(2, 0, 5).integral(ORIGIN_PX[0], 0, IMAGE_PX).integral(ORIGIN_PX[1], 0, IMAGE_PX)
    mode(SECTOR)
    half_second()
    mode(ALTITUDE)
    half_second()
    # The rest of the script: rounds that set a mode and draw nothing.
    padding = bytes([1]) * (TRAFFIC_SCRIPT_BYTES - script.size())

    answers = Provider()
    for _ in range(10):
        answers.integral(1, 0, 7)  # the variable handles: sane
    for _ in range(4):
        answers.boolean(False)  # the unit handles: sane
    first = dict(TRAFFIC_SANE, **{"PLANE LATITUDE": -0.5 if reduced else 0.0})
    target = dict(TRAFFIC_SANE, **{variable: value})
    for _ in range(2):
        answers.integral(4, 0, 5).integral(2, 0, 12).integral(1, 0, MAX_TRAFFIC_ID).integral(2, 0, MAX_TRAFFIC_ID)
        traffic_target(answers, b"FIRST", reduced, first)
        traffic_target(answers, b"TARGET", reduced, target)
    return script.data(padding) + answers.data()


def traffic_nonfinite_seeds():
    variables = [v for v, _ in TRAFFIC_POSITION + TRAFFIC_FULL + TRAFFIC_REDUCED]
    for n, variable in enumerate(variables):
        for value in NONFINITE:
            name = variable.lower().replace(" ", "_")
            write("traffic_refresh_fuzzer", "nonfinite_%s_%s" % (name, value),
                  traffic_nonfinite_seed(variable, value, n % 4))


# The frame cycle's operations (frame_cycle_fuzzer.cpp, Operate).
FRAME_OPERATIONS = 21
CONNECT, PLACE, PRE_DRAW, TIME_STEP, MODULE_VARIABLE, SET_MODE, CLICK, PLACE_PLAYERS = 0, 3, 5, 9, 11, 12, 14, 19
FRAME_MODES = (2.0, 3.0, 4.0, 2.9, 0.0, 1.0, 5.0, -3.0)
FRAME_TIME_STEPS = (0.0, 0.05, 0.1, 1.0, 1.01, 2.0, -1.0, -1000.0)
PLAYER_NAMES = 5  # "NET1", "", a long one, "\xC4\xD6\xDC", "NET1"
OWN_SHIP_VARIABLES = ("latitude", "longitude", "altitude", "heading")


FRAME_SCRIPT_BYTES = 384


class FrameScript(Provider):
    """The frame cycle harness's script, one operation after the other."""

    def __init__(self, slot):
        super().__init__()
        self.slot = slot
        self.boolean(False)  # no traffic interface

    def op(self, operation):
        return self.integral(self.slot, 0, 3).integral(operation, 0, FRAME_OPERATIONS - 1)

    def sane_int(self, value, lo, hi):
        return self.integral(2, 0, 3).integral(value, lo, hi)

    def place(self):
        self.op(PLACE).sane_int(IMAGE_PX, 1, 1200).sane_int(IMAGE_PX, 1, 1200)
        self.integral(1, 0, 8).integral(1, 0, 7)  # device context 1, with an image

    def mode(self, mode):
        self.op(SET_MODE).boolean(True).pick(FRAME_MODES.index(mode), len(FRAME_MODES))

    def step(self, seconds):
        self.op(TIME_STEP).boolean(True).pick(FRAME_TIME_STEPS.index(seconds), len(FRAME_TIME_STEPS))

    def frame(self, mode, seconds=0.05):
        self.mode(mode)
        self.step(seconds)
        self.op(PRE_DRAW)

    def click_origin(self):
        self.op(CLICK).sane_int(ORIGIN_PX[0], -50, 1250).sane_int(ORIGIN_PX[1], -50, 1250)
        self.integral(0x20000000, 0, (1 << 32) - 1)

    def own_ship(self, variable, value):
        self.op(MODULE_VARIABLE).integral(OWN_SHIP_VARIABLES.index(variable), 0, 4)
        self.integral(0, 0, 3).pick(DOUBLE_SPECIAL_INDEX[value], DOUBLE_SPECIAL_COUNT)

    def hostile_double(self, value, sane):
        if isinstance(value, str):
            self.integral(0, 0, 3).pick(DOUBLE_SPECIAL_INDEX[value], DOUBLE_SPECIAL_COUNT)
        else:
            sane(value)

    def hostile_float(self, value, lo, hi):
        if isinstance(value, str):
            self.integral(0, 0, 3).pick(FLOAT_SPECIAL_INDEX[value], FLOAT_SPECIAL_COUNT)
        else:
            self.integral(2, 0, 3).real(value, lo, hi, bits=32)

    def players(self, hostile_field=None, value=None):
        """Slot 0 a player the displays leave out as the list's first record,
        slot 1 "NET1" 0.05 nm north, slot 2 one 20 nm north; `hostile_field`
        of NET1's numbers `value`."""
        self.op(PLACE_PLAYERS).integral(3, 0, 15).integral(3, 0, 6)
        for slot, name, north in ((0, 1, 0.0), (1, 0, NEAR_DEG), (2, 3, FAR_DEG)):
            v = dict(latitude=north, longitude=0.0, altitude=OWN_ALTITUDE_M, velocity_a=150.0, velocity_b=80.0,
                     vertical_speed=4.0, heading=90.0)
            if slot == 1 and hostile_field:
                v[hostile_field] = value
            self.pick(name, PLAYER_NAMES)
            self.hostile_double(v["latitude"], lambda x: self.integral(2, 0, 3).real(x, -0.5, 0.5))
            self.hostile_double(v["longitude"], lambda x: self.integral(2, 0, 3).real(x, -0.5, 0.5))
            self.hostile_double(v["altitude"], lambda x: self.integral(2, 0, 3).real(x, 0.0, 12000.0))
            self.hostile_float(v["velocity_a"], -300.0, 300.0)
            self.hostile_float(v["velocity_b"], -300.0, 300.0)
            self.hostile_float(v["vertical_speed"], -50.0, 50.0)
            self.hostile_float(v["heading"], 0.0, 360.0)
            self.integral(slot, 0, SLOTS - 1)

    def selected_target(self):
        """A gauge placed and connected, the players, a plan frame and a
        click that selects NET1."""
        self.place()
        self.op(CONNECT)
        self.players()
        self.mode(PLAN)
        self.op(PRE_DRAW)
        self.click_origin()


def frame_cycle_nonfinite_seeds():
    # The own ship's variables go wild while NET1 is selected.
    for n, variable in enumerate(OWN_SHIP_VARIABLES):
        for value in NONFINITE:
            script = FrameScript(n % 4)
            script.selected_target()
            script.own_ship(variable, value)
            for mode in (PLAN, SECTOR, ALTITUDE):
                script.frame(mode)
            assert script.size() <= FRAME_SCRIPT_BYTES
            write("frame_cycle_fuzzer", "nonfinite_own_%s_%s" % (variable, value), script.data())
    # One of the selected player's numbers goes wild with the next rebuild.
    fields = ("latitude", "longitude", "altitude", "velocity_a", "velocity_b", "vertical_speed", "heading")
    for n, field in enumerate(fields):
        script = FrameScript(n % 4)
        script.selected_target()
        script.players(field, "nan")
        script.frame(PLAN, 1.01)
        script.frame(SECTOR)
        script.frame(ALTITUDE)
        assert script.size() <= FRAME_SCRIPT_BYTES
        write("frame_cycle_fuzzer", "nonfinite_player_%s_nan" % field, script.data())


def patterned_seeds(fuzzer, sizes):
    rng = random.Random(fuzzer)
    for size in sizes:
        write(fuzzer, "zeros_%d" % size, bytes(size))
        write(fuzzer, "ones_%d" % size, b"\xff" * size)
        write(fuzzer, "random_%d" % size, bytes(rng.randrange(256) for _ in range(size)))


if __name__ == "__main__":
    net_player_seeds()
    net_player_nonfinite_seeds()
    traffic_nonfinite_seeds()
    frame_cycle_nonfinite_seeds()
    patterned_seeds("traffic_refresh_fuzzer", (64, 600, 2000))
    patterned_seeds("frame_cycle_fuzzer", (96, 500, 2000))
