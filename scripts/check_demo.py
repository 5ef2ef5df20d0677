#!/usr/bin/python3
"""Checks a run of the demo: what it printed and the pictures it saved.

usage: check_demo.py DEMO_FOLDER DEMO_OUTPUT_FILE

The demo's output must show the snapshot reaching the program, the tray menu's items, its switch
withdrawing the window from the stand-in's toolbar and handing it back, a new taskbar order after each of its
four moves, the drag's red frame and the error report dialog; its pictures must have the sizes of what they show, must
not be blank, and the window pictures must hold no black band (a patch the screen left unpainted).
Pixels are read with ImageMagick's `identify` and `convert`. Exit status 0 when all is well; every
fault found is printed.
"""
import re
import subprocess
import sys
from pathlib import Path

STEPS = [
    "Up on the second item",
    "Down on the first item",
    "the first item dragged onto the third",
    "the stand-in taskbar's buttons after the drag",
]
# The tray menu as the demo prints it: caption and marks of each item.
MENU = ["&On (Current State) disabled checked radio image", "O&ff radio image", "&Settings image", "-",
        "&About image", "Kelvane Software Website", "-", "E&xit"]
# name: (width range, height range)
PICTURES = {
    "main-window.png": ((400, 1100), (250, 700)),
    "list-after-moves.png": ((400, 1100), (250, 700)),
    "screen.png": ((1280, 1280), (800, 800)),
    "taskbar-up-mid-animation.png": ((1280, 1280), (20, 80)),
    "taskbar-down-mid-animation.png": ((1280, 1280), (20, 80)),
    "taskbar-drag-mid-animation.png": ((1280, 1280), (20, 80)),
    "taskbar-drag.png": ((1280, 1280), (20, 80)),
    "tray-menu.png": ((120, 400), (100, 300)),
    "switched-off.png": ((400, 1100), (250, 700)),
    "error-report.png": ((460, 520), (305, 380)),
}
WINDOW_PICTURES = ["main-window.png", "list-after-moves.png", "switched-off.png", "error-report.png"]
LONGEST_BLACK_RUN = 40  # no text or frame of the window has a black line this long
FEWEST_COLOURS = 8


def blocks(output):
    """The demo's output as {header: lines}, a block for every line that starts with '--- '."""
    found, header = {}, None
    for line in output.splitlines():
        if line.startswith("--- "):
            header = line[4:]
            found[header] = []
        elif header is not None:
            found[header].append(line)
    return found


def order(lines):
    """The button texts of a stand-in "order" reply."""
    return [fields[5] for fields in (line.split("\t") for line in lines) if len(fields) == 6]


def check_output(output):
    faults = []
    if "task list entries: 9" not in output:
        faults.append("the program's list did not receive the stand-in's nine buttons")
    found = blocks(output)
    previous = order(found.get("the stand-in taskbar's buttons", []))
    if len(previous) != 9:
        faults.append("no starting order of nine buttons was printed")
    for step in STEPS:
        now = order(found.get(step, []))
        if len(now) != 9:
            faults.append(f"no order of nine buttons after: {step}")
        elif now == previous:
            faults.append(f"the taskbar's order did not change: {step}")
        previous = now
    menu = next((lines for header, lines in found.items() if header.startswith("the tray menu's items")), [])
    if menu != MENU:
        faults.append(f"the tray menu shows {menu}, not {MENU}")
    if "WM_TAKEHWND 0 0" not in found.get("switched Off: what the stand-in's toolbar received", []):
        faults.append("switching Off did not withdraw the window from the stand-in's toolbar")
    handed_back = found.get("switched On again: what the stand-in's toolbar received", [])
    if not any(re.fullmatch(r"WM_TAKEHWND 0 [1-9]\d*", line) for line in handed_back):
        faults.append("switching On did not hand the window back to the stand-in's toolbar")
    if not any(header.startswith("mid-drag screenshot (the ghost and the red frame)") for header in found):
        faults.append("the drag on the taskbar showed no red frame")
    if not any(header.startswith("the error report dialog after a fault") for header in found):
        faults.append("the crash test host showed no error report dialog")
    return faults


def pixels(path):
    width, height = map(int, subprocess.run(["identify", "-format", "%w %h", str(path)], check=True,
                                            capture_output=True, text=True).stdout.split())
    raw = subprocess.run(["convert", str(path), "-depth", "8", "rgb:-"], check=True, capture_output=True).stdout
    return width, height, raw


def longest_black_run(width, height, raw):
    longest = 0
    for y in range(height):
        run = 0
        row = raw[y * width * 3:(y + 1) * width * 3]
        for x in range(width):
            run = run + 1 if row[3 * x:3 * x + 3] == b"\0\0\0" else 0
            longest = max(longest, run)
    return longest


def check_pictures(folder):
    faults = []
    for name, ((min_w, max_w), (min_h, max_h)) in PICTURES.items():
        path = folder / name
        if not path.is_file():
            faults.append(f"{name}: missing")
            continue
        width, height, raw = pixels(path)
        if not (min_w <= width <= max_w and min_h <= height <= max_h):
            faults.append(f"{name}: {width} x {height}, not the size of what it should show")
        colours = {raw[i:i + 3] for i in range(0, len(raw), 3)}
        if len(colours) < FEWEST_COLOURS:
            faults.append(f"{name}: blank ({len(colours)} colours)")
        if name in WINDOW_PICTURES:
            run = longest_black_run(width, height, raw)
            if run >= LONGEST_BLACK_RUN:
                faults.append(f"{name}: a black band {run} pixels long")
    return faults


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    folder, output = Path(sys.argv[1]), Path(sys.argv[2]).read_text(errors="replace")
    faults = check_output(output) + check_pictures(folder)
    for fault in faults:
        print(f"demo check: {fault}")
    if not faults:
        print("demo check: output and pictures as expected")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
