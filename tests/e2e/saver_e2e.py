#!/usr/bin/env python3
"""End-to-end runs of the real KVSsaver.scr (x64 build) under wine64 and Xvfb,
driven as a person would and observed from outside: the MCI trace, X windows,
screenshots and the end of the process.

    saver_e2e.py SCENARIO --dist DIR --tools DIR --work DIR --prefix DIR
"""

import argparse
import os
import re
import sys
import time

from wine_session import (SCREEN, WineSession, copy_saver, non_black_box, pixel, read_trace,
                          wait_exit, wait_for)

STARTUP_SECONDS = 40  # the first start in a new prefix is slow
EXIT_SECONDS = 2      # a dismissal must end the process within this time
VIDEO_TITLE = "DUZ Edav 1"
BACKDROP_TITLE = "Form1"


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)
    print("ok:", message)


def commands(trace):
    return [exchange.command for exchange in read_trace(trace)]


def launch(session, options, name, folder=None, with_clip=True, messages=False):
    """Copies the saver into a folder of its own and starts it with /s."""
    saver = copy_saver(options.dist, os.path.join(session.work_dir, folder or name), with_clip)
    process, trace = start_saver(session, saver, name, "/s", messages=messages)
    return saver, process, trace


def start_saver(session, saver, name, *args, messages=False):
    trace = os.path.join(session.work_dir, name + ".trace")
    process = session.start(saver, *args, trace=trace, cwd=os.path.dirname(saver),
                            messages=messages)
    played = wait_for(lambda: "Play VidClip From 0" in commands(trace), STARTUP_SECONDS)
    check(played, f"{name}: the saver sent its play command")
    return process, trace


def check_ends(process, trace, what, started):
    """The process ends within EXIT_SECONDS of `started` (when the input was sent)."""
    ended = wait_exit(process, max(0.0, EXIT_SECONDS - (time.monotonic() - started)))
    elapsed = time.monotonic() - started
    check(ended is not None, f"{what} ends the process within {EXIT_SECONDS} s ({elapsed:.2f} s)")
    check(commands(trace)[-1] == "Close VidClip", f"{what}: 'Close VidClip' was the last command")


def mouse_moves(trace):
    """Window handles of the WM_MOUSEMOVE messages the program took, in order."""
    with open(trace, errors="replace") as lines:
        return re.findall(r"got type \d+ msg 200 \(WM_MOUSEMOVE\) hwnd (\w+)", lines.read())


def dismiss(session, process, trace, what, *xdotool):
    """Sends input with xdotool and checks that it ends the saver."""
    started = time.monotonic()
    session.x("xdotool", *xdotool)
    check_ends(process, trace, what, started)


def check_running(process, what, seconds=1.5):
    time.sleep(seconds)
    check(process.poll() is None, what)


def scenario_no_window(session, options):
    """Preview and every other switch end at once without a window."""
    saver = copy_saver(options.dist, os.path.join(session.work_dir, "no_window"))
    for args in (["/p", "1234"], [], ["/c:1234"], ["-s"]):
        name = "no_window_" + ("_".join(args) or "empty").strip("/-:")
        trace = os.path.join(session.work_dir, name + ".trace")
        process = session.start(saver, *args, trace=trace, cwd=os.path.dirname(saver))
        seen = []
        ended = wait_for(lambda: seen.extend(session.window_ids(BACKDROP_TITLE)) or
                         process.poll() is not None, STARTUP_SECONDS)
        check(ended, f"{args}: the process ended by itself")
        check(process.returncode == 0, f"{args}: exit code 0")
        check(not seen, f"{args}: no window was ever shown")
        check(commands(trace) == [], f"{args}: no MCI command was sent")


def scenario_play(session, options):
    """The clip plays centred on black, loops past frame 180, and a key ends it."""
    saver, process, trace = launch(session, options, "play")
    sent = commands(trace)[:5]
    check(len(sent) == 5 and sent[0] == f'Open "{to_wine_path(saver)}\\kvscrtel.avi" alias VidClip'
          and re.fullmatch(r"Window VidClip handle -?\d+", sent[1]) is not None
          and sent[2:] == ["Where VidClip destination", "Put VidClip destination at  0  0 320 240",
                           "Play VidClip From 0"], f"the five start-up commands in order: {sent}")
    where = read_trace(trace)[2]
    check(where.reply == "0 0 320 240", f"the device reported the destination {where.reply!r}")

    backdrops = [session.geometry(w) for w in session.window_ids(BACKDROP_TITLE)]
    check(backdrops == [(0, 0, *SCREEN)], f"the backdrop is shown over the whole screen: {backdrops}")
    videos = [session.geometry(w) for w in session.window_ids(VIDEO_TITLE)]
    check(len(videos) == 1 and videos[0][2:] == (333, 267),
          f"the video window is shown at 5000 x 4000 twips: {videos}")

    time.sleep(3)
    shot = session.screenshot(os.path.join(session.work_dir, "play.png"))
    corners = [pixel(shot, x, y) for x, y in ((0, 0), (SCREEN[0] - 1, 0), (0, SCREEN[1] - 1),
                                               (SCREEN[0] - 1, SCREEN[1] - 1))]
    check(all(c in ("srgb(0,0,0)", "black") for c in corners), f"the screen is black: {corners}")
    x, y, width, height = non_black_box(shot)
    # The 5000 x 4000 twip window is 333 x 267 pixels at 96 dpi, centred on
    # 1024 x 768; the 320 x 240 clip sits at its top-left corner.
    left, top = (SCREEN[0] - 333) / 2, (SCREEN[1] - 267) / 2
    check(abs(x - left) <= 1 and abs(y - top) <= 1 and (width, height) == (320, 240),
          f"the clip is drawn at the centred window's corner: {width}x{height}+{x}+{y}")

    restarted = wait_for(lambda: "play VidClip From 0" in commands(trace), 20, step=0.2)
    check(restarted, "the clip was restarted from frame 0")
    exchanges = read_trace(trace)
    polls = [e for e in exchanges if e.command == "Status Vidclip Position"]
    restart = next(i for i, e in enumerate(exchanges) if e.command == "play VidClip From 0")
    position = int(exchanges[restart - 1].reply)
    check(position >= 180, f"it was restarted after the position {position} passed 180")
    gaps = sorted(b.time - a.time for a, b in zip(polls, polls[1:]))
    check(len(gaps) >= 5 and 0.9 <= gaps[len(gaps) // 2] <= 1.1 and gaps[-1] < 2.0,
          f"the position was polled about once a second ({len(polls)} polls, "
          f"{gaps[0]:.2f}..{gaps[-1]:.2f} s apart)")
    dismiss(session, process, trace, "a key", "key", "a")


def scenario_mouse(session, options):
    """The first movement event on a window is only noted; the next one at
    another position ends the saver. Windows (and Wine) send each window a
    movement event as it appears under the resting pointer: that is the first
    event each window gets, so the person's first movement is the second."""
    _, process, trace = launch(session, options, "mouse", messages=True)
    check_running(process, "the saver still runs after its windows' first movement events")
    moves = mouse_moves(trace)
    check(len(set(moves)) == 2, f"both windows got their first movement event: {moves}")
    dismiss(session, process, trace, "the next mouse movement", "mousemove", "100", "100")


def scenario_click(session, options):
    """A click without any movement ends the saver."""
    _, process, trace = launch(session, options, "click")
    dismiss(session, process, trace, "a click", "click", "1")


def scenario_key(session, options):
    """A key alone, here Alt (a system key), ends the saver."""
    _, process, trace = launch(session, options, "key")
    dismiss(session, process, trace, "the Alt key", "key", "alt")


def scenario_outside_close(session, options):
    """WM_CLOSE from another program ends the whole saver, both windows."""
    _, process, trace = launch(session, options, "outside_close")
    started = time.monotonic()
    sender = session.start(os.path.join(options.tools, "send_close.exe"), VIDEO_TITLE)
    check(wait_exit(sender, 20) is not None and sender.returncode == 0,
          "send_close found the video window and posted WM_CLOSE")
    check_ends(process, trace, "an outside WM_CLOSE", started)


def scenario_missing_clip(session, options):
    """Without the clip the saver runs on, empty, and still ends on input."""
    _, process, trace = launch(session, options, "missing", with_clip=False)
    exchanges = read_trace(trace)
    check(all(e.result != 0 for e in exchanges[:5]), "every start-up command failed")
    check(commands(trace)[3] == "Put VidClip destination at  0  0 0 0",
          "the placement read no numbers")
    polls = wait_for(lambda: commands(trace).count("Status Vidclip Position") >= 4, 10, step=0.2)
    check(polls and process.poll() is None, "four ticks later it still runs")
    check("play VidClip From 0" not in commands(trace), "no restart was sent")
    dismiss(session, process, trace, "a key after the clip never opened", "key", "space")


def scenario_blanks(session, options):
    """From a folder whose path has blanks the clip still opens and plays."""
    _, process, trace = launch(session, options, "blanks", folder="dir with blanks")
    exchanges = read_trace(trace)
    check(exchanges[0].command.startswith('Open "') and " with blanks\\kvscrtel.avi\"" in
          exchanges[0].command, f"the open command quotes the path: {exchanges[0].command}")
    check(all(e.result == 0 for e in exchanges[:5]),
          f"all five start-up commands succeeded: {exchanges[:5]}")
    time.sleep(2)
    shot = session.screenshot(os.path.join(session.work_dir, "blanks.png"))
    box = non_black_box(shot)
    check(box[2:] == (320, 240), f"the clip is on the screen: {box}")
    dismiss(session, process, trace, "a key", "key", "space")


def to_wine_path(path):
    return "Z:" + os.path.dirname(os.path.abspath(path)).replace("/", "\\")


SCENARIOS = {name[len("scenario_"):]: fn for name, fn in globals().items()
             if name.startswith("scenario_")}


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("scenario", choices=sorted(SCENARIOS))
    parser.add_argument("--dist", required=True, help="folder with KVSsaver.scr and kvscrtel.avi")
    parser.add_argument("--tools", required=True, help="folder with the x64 test programs")
    parser.add_argument("--work", required=True, help="folder for traces and screenshots")
    parser.add_argument("--prefix", required=True, help="wine prefix (created when missing)")
    options = parser.parse_args()
    work = os.path.join(options.work, options.scenario)
    try:
        with WineSession(options.prefix, work) as session:
            SCENARIOS[options.scenario](session, options)
    except Failure as failure:
        print("FAILED:", failure)
        print("traces and screenshots:", work)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
