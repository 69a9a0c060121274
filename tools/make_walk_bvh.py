#!/usr/bin/env python3
"""Writes examples/walk.bvh: a walking skeleton for the thinfold examples and benchmarks.

23 joints, 12 seconds at 120 frames per second. Each channel is a smooth periodic gait curve
(a few harmonics of the stride frequency) plus small noise, like cleaned-up motion capture:
the root travels forward and bobs, legs and arms swing in opposite phase, the spine counters
the hips. Fixed seed, so the file is the same on every run.

Usage: tools/make_walk_bvh.py [OUTPUT]   (default: examples/walk.bvh next to this folder)
"""

import math
import os
import random
import sys

FPS = 120
SECONDS = 12
FRAME_TIME = "0.0083333"  # as capture software writes 1/120
STRIDE_SECONDS = 1.1  # one full gait cycle (two steps)
WALK_SPEED = 130.0  # centimetres per second
SEED = 1031250

ROOT_CHANNELS = ["Xposition", "Yposition", "Zposition", "Zrotation", "Xrotation", "Yrotation"]
JOINT_CHANNELS = ["Zrotation", "Xrotation", "Yrotation"]

# (name, parent, offset); an end site follows every joint without children.
SKELETON = [
    ("Hips", None, (0.0, 95.0, 0.0)),
    ("Spine", "Hips", (0.0, 8.0, -1.0)),
    ("Spine1", "Spine", (0.0, 10.0, 0.0)),
    ("Spine2", "Spine1", (0.0, 10.0, 0.5)),
    ("Spine3", "Spine2", (0.0, 10.0, 0.5)),
    ("Neck", "Spine3", (0.0, 12.0, 1.0)),
    ("Head", "Neck", (0.0, 9.0, 1.5)),
    ("LeftShoulder", "Spine3", (4.0, 9.0, 0.0)),
    ("LeftArm", "LeftShoulder", (14.0, 0.0, 0.0)),
    ("LeftForeArm", "LeftArm", (27.0, 0.0, 0.0)),
    ("LeftHand", "LeftForeArm", (24.0, 0.0, 0.0)),
    ("RightShoulder", "Spine3", (-4.0, 9.0, 0.0)),
    ("RightArm", "RightShoulder", (-14.0, 0.0, 0.0)),
    ("RightForeArm", "RightArm", (-27.0, 0.0, 0.0)),
    ("RightHand", "RightForeArm", (-24.0, 0.0, 0.0)),
    ("LeftUpLeg", "Hips", (9.0, -4.0, 0.0)),
    ("LeftLeg", "LeftUpLeg", (0.0, -42.0, 0.0)),
    ("LeftFoot", "LeftLeg", (0.0, -41.0, 0.0)),
    ("LeftToeBase", "LeftFoot", (0.0, -6.0, 13.0)),
    ("RightUpLeg", "Hips", (-9.0, -4.0, 0.0)),
    ("RightLeg", "RightUpLeg", (0.0, -42.0, 0.0)),
    ("RightFoot", "RightLeg", (0.0, -41.0, 0.0)),
    ("RightToeBase", "RightFoot", (0.0, -6.0, 13.0)),
]

# Per joint and rotation channel: (mean, [(harmonic, amplitude, phase), ...]) in degrees, with
# the gait phase of the joint's side. Left limbs lead by half a cycle over right ones.
LEG = {
    "UpLeg": {"Xrotation": (-5.0, [(1, 24.0, 0.0), (2, 4.0, 0.6)]),
              "Zrotation": (0.0, [(1, 3.0, 1.2)]),
              "Yrotation": (0.0, [(1, 4.0, 0.4)])},
    "Leg": {"Xrotation": (25.0, [(1, 22.0, 1.9), (2, 12.0, 2.4), (3, 3.0, 0.5)]),
            "Zrotation": (0.0, [(1, 1.0, 0.0)]),
            "Yrotation": (0.0, [(1, 2.0, 0.7)])},
    "Foot": {"Xrotation": (-3.0, [(1, 12.0, 3.6), (2, 6.0, 1.0)]),
             "Zrotation": (0.0, [(1, 2.0, 0.3)]),
             "Yrotation": (0.0, [(1, 1.5, 0.9)])},
    "ToeBase": {"Xrotation": (5.0, [(1, 10.0, 4.4), (2, 5.0, 2.0)]),
                "Zrotation": (0.0, []),
                "Yrotation": (0.0, [])},
}
ARM = {
    "Shoulder": {"Zrotation": (0.0, [(2, 2.0, 0.5)]),
                 "Xrotation": (0.0, [(1, 2.0, math.pi)]),
                 "Yrotation": (0.0, [])},
    "Arm": {"Zrotation": (-70.0, [(2, 3.0, 0.2)]),
            "Xrotation": (0.0, [(1, -18.0, 0.0), (2, 2.0, 1.1)]),
            "Yrotation": (0.0, [(1, 5.0, 0.4)])},
    "ForeArm": {"Zrotation": (0.0, [(1, 2.0, 0.0)]),
                "Xrotation": (0.0, []),
                "Yrotation": (-25.0, [(1, -10.0, 0.5), (2, 3.0, 0.0)])},
    "Hand": {"Zrotation": (0.0, [(1, 4.0, 0.8)]),
             "Xrotation": (0.0, [(1, 3.0, 1.6)]),
             "Yrotation": (0.0, [])},
}
TORSO = {
    "Spine": {"Zrotation": (0.0, [(1, 2.0, 0.0)]),
              "Xrotation": (3.0, [(2, 1.5, 0.3)]),
              "Yrotation": (0.0, [(1, -4.0, 0.0)])},
    "Spine1": {"Zrotation": (0.0, [(1, 1.5, 0.2)]),
               "Xrotation": (1.0, [(2, 1.0, 0.5)]),
               "Yrotation": (0.0, [(1, -3.0, 0.1)])},
    "Spine2": {"Zrotation": (0.0, [(1, 1.0, 0.4)]),
               "Xrotation": (1.0, [(2, 0.8, 0.7)]),
               "Yrotation": (0.0, [(1, -2.5, 0.2)])},
    "Spine3": {"Zrotation": (0.0, [(1, 1.0, 0.6)]),
               "Xrotation": (0.5, [(2, 0.6, 0.9)]),
               "Yrotation": (0.0, [(1, -2.0, 0.3)])},
    "Neck": {"Zrotation": (0.0, [(1, -1.5, 0.8)]),
             "Xrotation": (-4.0, [(2, 1.0, 1.1)]),
             "Yrotation": (0.0, [(1, 3.0, 0.4)])},
    "Head": {"Zrotation": (0.0, [(1, -1.0, 1.0)]),
             "Xrotation": (-2.0, [(2, 1.2, 1.3)]),
             "Yrotation": (0.0, [(1, 2.5, 0.5)])},
}
ROOT_ROTATION = {"Zrotation": (0.0, [(1, 3.0, 0.0)]),
                 "Xrotation": (2.0, [(2, 1.5, 0.8)]),
                 "Yrotation": (0.0, [(1, 4.0, 0.3)])}


class Noise:
    """Small measurement noise plus a slow drift made of a few random low-frequency waves."""

    def __init__(self, rng, jitter, drift):
        self.rng = rng
        self.jitter = jitter
        self.waves = [(rng.uniform(0.05, 0.4), rng.uniform(0, 2 * math.pi), rng.gauss(0, drift))
                      for _ in range(3)]

    def at(self, seconds):
        slow = sum(a * math.sin(2 * math.pi * f * seconds + p) for f, p, a in self.waves)
        return slow + self.rng.gauss(0.0, self.jitter)


def gait_curve(mean, harmonics, phase):
    return lambda cycle: mean + sum(a * math.sin(h * (cycle + phase) + p) for h, a, p in harmonics)


def joint_curves(name):
    """The rotation curves of a joint, by channel, as functions of the gait angle."""
    for side, phase in (("Left", 0.0), ("Right", math.pi)):
        if name.startswith(side):
            part = name[len(side):]
            table = LEG.get(part) or ARM[part]
            # Arms swing against the leg of their side; mirrored sides flip yaw and roll.
            arm_phase = phase + math.pi if part in ARM else phase
            mirror = -1.0 if side == "Right" else 1.0
            curves = {}
            for channel, (mean, harmonics) in table.items():
                sign = mirror if channel != "Xrotation" else 1.0
                curves[channel] = gait_curve(sign * mean, [(h, sign * a, p) for h, a, p in harmonics],
                                             arm_phase)
            return curves
    table = ROOT_ROTATION if name == "Hips" else TORSO[name]
    return {channel: gait_curve(mean, harmonics, 0.0) for channel, (mean, harmonics) in table.items()}


def root_position(seconds, cycle):
    x = 3.0 * math.sin(cycle + 0.3)
    y = 95.0 + 2.0 * math.cos(2 * cycle) + 0.4 * math.cos(4 * cycle + 0.5)
    z = WALK_SPEED * seconds + 4.0 * math.sin(2 * cycle + 1.0)
    return {"Xposition": x, "Yposition": y, "Zposition": z}


def hierarchy_lines():
    children = {}
    for name, parent, _ in SKELETON:
        children.setdefault(parent, []).append(name)
    offsets = {name: offset for name, _, offset in SKELETON}
    lines = ["HIERARCHY"]

    def emit(name, depth):
        pad = "\t" * depth
        keyword = "ROOT" if depth == 0 else "JOINT"
        channels = ROOT_CHANNELS if depth == 0 else JOINT_CHANNELS
        lines.append(f"{pad}{keyword} {name}")
        lines.append(pad + "{")
        lines.append(pad + "\tOFFSET " + " ".join(f"{v:.4f}" for v in offsets[name]))
        lines.append(pad + f"\tCHANNELS {len(channels)} " + " ".join(channels))
        for child in children.get(name, []):
            emit(child, depth + 1)
        if name not in children:
            lines.extend([pad + "\tEnd Site", pad + "\t{", pad + "\t\tOFFSET 0.0000 0.0000 5.0000",
                          pad + "\t}"])
        lines.append(pad + "}")

    emit("Hips", 0)
    return lines


def motion_lines(rng):
    columns = []  # (joint name, channel, curve or None for root position)
    for name, parent, _ in SKELETON:
        curves = joint_curves(name)
        channels = ROOT_CHANNELS if parent is None else JOINT_CHANNELS
        for channel in channels:
            columns.append((name, channel, curves.get(channel)))
    noises = [Noise(rng, 0.03 if curve else 0.05, 0.4) for _, _, curve in columns]
    frame_count = FPS * SECONDS
    lines = ["MOTION", f"Frames: {frame_count}", f"Frame Time: {FRAME_TIME}"]
    for frame in range(frame_count):
        seconds = frame / FPS
        cycle = 2 * math.pi * seconds / STRIDE_SECONDS
        position = root_position(seconds, cycle)
        values = []
        for (name, channel, curve), noise in zip(columns, noises):
            base = curve(cycle) if curve else position[channel]
            values.append(f"{base + noise.at(seconds):.4f}")
        lines.append(" ".join(values))
    return lines


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "examples", "walk.bvh")
    rng = random.Random(SEED)
    text = "\n".join(hierarchy_lines() + motion_lines(rng)) + "\n"
    with open(output, "w", encoding="ascii", newline="\n") as file:
        file.write(text)


if __name__ == "__main__":
    main()
