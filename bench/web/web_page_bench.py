"""The game in the browser, measured in headless Chromium against a real
orbolo-scored serving the web build under /play/:
- bytes transferred for a first visit (gzip on, empty cache), headers included;
- time from the page's navigation to its first frame (the intro, which
  lasts about 4.5 s by design: 40 frames of fade in, a second, 40 out) and
  to the first menu frame (screenshots every ~0.1 s bound the resolution);
- CPU per frame at rest (menu, pointer still) and while rows slide: the
  game thread's own busy time (the page's frame statistics) and the whole
  browser's (every Chromium process, from /proc).

usage: web_page_bench.py WEB_FOLDER SCORE_SERVER
"""
import os
import subprocess
import sys
import tempfile
import time

here = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(here, "..", "..", "tests", "web"))
sys.path.insert(0, os.path.join(here, "..", "..", "tests", "e2e"))
from browser_session import BrowserSession  # noqa: E402
from x_session import MODE_CARDS, is_menu, is_mode_selection, is_play_screen  # noqa: E402

WEB, SERVER_BIN = sys.argv[1:3]
TICKS = os.sysconf("SC_CLK_TCK")


def browser_cpu_ms(root):
    """CPU time of a process and all its descendants, in milliseconds."""
    children = {}
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            fields = open(f"/proc/{pid}/stat").read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        children.setdefault(int(fields[1]), []).append((int(pid), fields))
    total, todo = 0, [root]
    while todo:
        pid = todo.pop()
        for child, fields in children.get(pid, []):
            total += int(fields[11]) + int(fields[12])
            todo.append(child)
    own = open(f"/proc/{root}/stat").read().rsplit(")", 1)[1].split()
    return (total + int(own[11]) + int(own[12])) * 1000 / TICKS


def frame_stats(session):
    """(frames, game-thread busy ms) from the page's statistics file."""
    text = session.evaluate("Module.FS.readFile('/frame-stats', {encoding: 'utf8'})")
    _, shown, skipped, busy = text.split()
    return int(shown) + int(skipped), float(busy)


def cost_per_frame(session, seconds, action):
    time.sleep(1.2)  # the statistics are rewritten about once a second
    frames0, busy0 = frame_stats(session)
    cpu0 = browser_cpu_ms(session.browser.pid)
    end = time.time() + seconds
    while time.time() < end:
        action()
    time.sleep(1.2)
    frames1, busy1 = frame_stats(session)
    cpu1 = browser_cpu_ms(session.browser.pid)
    frames = max(1, frames1 - frames0)
    return frames, (busy1 - busy0) / frames, (cpu1 - cpu0) / frames


db = os.path.join(tempfile.mkdtemp(prefix="orbolo-bench-"), "scores.db")
server = subprocess.Popen([SERVER_BIN, "--listen", "127.0.0.1:0", "--db", db, "--play", WEB],
                          stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
address = server.stdout.readline().split("listening on ")[-1].split("/highscores")[0]
session = BrowserSession()
try:
    session.tools.call("Network.enable")
    start = time.time()
    session.start_game(address + "/play/?frame-stats")
    first_frame = None
    # Until the page hears of the pointer, the game draws it at (0, 0).
    while session.mouse("mouseMoved", 620, 470) or not is_menu(screen := session.grab("menu")):
        if first_frame is None and sum(screen.pixel(320, 400)) > 600:  # the white intro
            first_frame = time.time() - start
        if time.time() - start > 120:
            raise AssertionError("no menu within two minutes")
    first_menu = time.time() - start
    sent = sum(e["params"]["encodedDataLength"] for e in session.tools.events
               if e.get("method") == "Network.loadingFinished")
    print(f"first visit: {sent} bytes transferred (gzip)")
    print(f"page load to first frame: {first_frame:.2f} s; to first menu frame: "
          f"{first_menu:.2f} s")

    session.pointer = (620, 470)
    frames, busy, cpu = cost_per_frame(session, 5, lambda: time.sleep(0.1))
    print(f"at rest (menu): {frames} frames, game thread {busy:.2f} ms/frame, "
          f"browser {cpu:.2f} ms/frame")

    session.click(330, 318)
    session.wait_for("modes", is_mode_selection, still=MODE_CARDS)
    session.click(390, 203)
    session.wait_for("play", is_play_screen)
    rows = iter(range(10**6))
    frames, busy, cpu = cost_per_frame(
        session, 5, lambda: session.click(206, 87 + 34 * (next(rows) % 9) + 16))
    print(f"sliding rows: {frames} frames, game thread {busy:.2f} ms/frame, "
          f"browser {cpu:.2f} ms/frame")
finally:
    session.close()
    server.terminate()
    server.wait()
