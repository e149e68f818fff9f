#!/usr/bin/python3
"""The web edition played in headless Chromium, as a player gets it from a server.

The page's folder is served on the loopback address; the game draws the main menu with every
picture loaded and its lines in the browser's console; a second tab on the same record is
refused while the first plays; F11 puts the canvas in full screen and
takes it out; a pad in the browser's standard mapping chooses PLAY; a typed seed's run ends on a
blade and the record reaches the browser's storage; Escape ends the game with its record and the
notice over the canvas; and a reload reads the record back.

Usage: play_page.py SITE_FOLDER [SCREENSHOT_FOLDER]
"""
import functools
import http.server
import os
import re
import sys
import tempfile
import threading
import time
from io import BytesIO

from PIL import Image
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
SITE = os.path.abspath(sys.argv[1])
SHOTS = sys.argv[2] if len(sys.argv) > 2 else None
ENDED = "NAVRO has ended: reload to play again"
HELD = "NAVRO is already running on this record (save.esf)"
START_WAIT = 120  # seconds: the pictures are decoded on the page's one thread


def fail(why):
    print(f"FAIL: {why}", file=sys.stderr)
    sys.exit(1)


# A pad the browser maps to its standard layout, at rest; the game reads it every frame.
STANDARD_PAD = """
window.navroPad = {id: 'NAVRO test pad', index: 0, connected: true, mapping: 'standard',
  timestamp: 0, axes: [0, 0, 0, 0],
  buttons: Array.from({length: 17}, () => ({pressed: false, value: 0}))};
navigator.getGamepads = () => [window.navroPad];
"""
SOUTH, DPAD_DOWN = 0, 13  # the standard mapping's button indices


def chromium(options):
    """Debian's Chromium through Debian's driver, named outright: Selenium would otherwise look
    for a driver of its own with its manager, which Debian leaves out."""
    options.binary_location = CHROMIUM
    return webdriver.Chrome(service=Service(executable_path=CHROMEDRIVER), options=options)


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class Page:
    """One browser on the served folder, with the game's console lines gathered as they come."""

    def __init__(self, url):
        options = webdriver.ChromeOptions()
        self.profile = tempfile.TemporaryDirectory(prefix="navro-chromium-")
        for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync",
                     # WebGL 2 without a GPU: the browser's own software renderer.
                     "--enable-unsafe-swiftshader", "--use-angle=swiftshader",
                     "--window-size=1400,900", f"--user-data-dir={self.profile.name}"):
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        self.driver = chromium(options)
        self.url = url
        self.lines = []

    def open(self):
        self.driver.get(self.url)

    def read_console(self):
        for entry in self.driver.get_log("browser"):
            # "URL LINE:COLUMN "text"": the text is the game's line, quoted as a JS string.
            found = re.match(r'^\S+ \d+:\d+ "(.*)"$', entry["message"], re.S)
            self.lines.append(found.group(1).encode().decode("unicode_escape")
                              if found else entry["message"])
        return self.lines

    def wait_line(self, pattern, seconds, count=1):
        deadline = time.time() + seconds
        while time.time() < deadline:
            if sum(1 for line in self.read_console() if re.search(pattern, line)) >= count:
                return
            time.sleep(0.2)
        fail(f"no console line /{pattern}/ (x{count}) within {seconds} s; last lines:\n  "
             + "\n  ".join(self.lines[-15:]))

    def keys(self, *keys):
        # Typed into the focused canvas with the pointer left where it is: a pointer over the
        # canvas would select the button under it.
        self.script("document.getElementById('canvas').focus()")
        for key in keys:
            ActionChains(self.driver).send_keys(key).perform()
            time.sleep(0.15)

    def canvas_shot(self, name):
        png = self.driver.find_element(By.ID, "canvas").screenshot_as_png
        if SHOTS:
            with open(os.path.join(SHOTS, f"{name}.png"), "wb") as out:
                out.write(png)
        return Image.open(BytesIO(png)).convert("RGB")

    def script(self, code):
        return self.driver.execute_script(code)

    def close(self):
        self.driver.quit()
        self.profile.cleanup()


def white_in(picture, x, y, width, height):
    """Some pixel of the box is near white: text or a lit edge was drawn there."""
    box = picture.crop((x, y, x + width, y + height))
    return any(min(pixel) > 200 for pixel in box.getdata())


def wait_picture(page, name, seconds, check):
    deadline = time.time() + seconds
    while time.time() < deadline:
        picture = page.canvas_shot(name)
        if check(picture):
            return picture
        time.sleep(0.5)
    fail(f"the canvas never showed the {name}")


def main():
    started = time.time()
    handler = functools.partial(Quiet, directory=SITE)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    url = f"http://127.0.0.1:{server.server_address[1]}/index.html"
    page = Page(url)
    try:
        if not page.script("return !!document.createElement('canvas').getContext('webgl2')"):
            fail("this Chromium offers no WebGL 2, even in software")
        page.open()
        # The record is read before the pictures: a first visit has none.
        page.wait_line(r"^runs 0$", START_WAIT)
        page.wait_line(r"^Loaded texture: ", START_WAIT, count=20)
        menu = wait_picture(page, "menu", 60, lambda p: white_in(p, 520, 190, 240, 60)
                            and white_in(p, 40, 650, 300, 70))
        if menu.size != (1280, 720):
            fail(f"the canvas is {menu.size}, not 1280 x 720")
        problems = [l for l in page.lines if re.search(r"ERROR::|Failed to|Aborted|exception", l)]
        if problems:
            fail("start-up reported:\n  " + "\n  ".join(problems))

        # A second tab on the same record is refused while this one plays: its line in its
        # console and over its canvas, and no game started there.
        first_tab = page.driver.current_window_handle
        page.read_console()
        page.lines.clear()
        page.driver.switch_to.new_window("tab")
        page.open()
        deadline = time.time() + START_WAIT
        notice = ""
        while time.time() < deadline and not notice:
            notice = page.script("var n = document.getElementById('notice');"
                                 "return n && !n.hidden ? n.textContent : ''")
            time.sleep(0.2)
        if not notice.startswith(HELD):
            fail(f"a second tab on the same record was not refused (notice: '{notice}')")
        page.wait_line("^" + re.escape(notice) + "$", 10)
        if any(line.startswith("Loaded texture: ") for line in page.read_console()):
            fail("the refused tab loaded the pictures")
        page.driver.close()
        page.driver.switch_to.window(first_tab)
        page.lines.clear()

        # F11: the canvas takes the whole screen, and a second F11 gives it back.
        page.keys(Keys.F11)
        time.sleep(0.5)
        if page.script("return document.fullscreenElement && document.fullscreenElement.id") != "canvas":
            fail("F11 did not put the canvas in full screen")
        page.keys(Keys.F11)
        time.sleep(0.5)
        if page.script("return document.fullscreenElement") is not None:
            fail("a second F11 did not leave full screen")

        # PLAY chosen with a pad in the browser's standard mapping (d-pad down, then south), then
        # the pad unplugged; on the seed screen the proposal is cleared and seed 1 typed: its
        # first platform has a blade on lane 0.
        page.script(STANDARD_PAD)
        for button in (DPAD_DOWN, SOUTH):
            page.script(f"window.navroPad.buttons[{button}] = {{pressed: true, value: 1}}")
            time.sleep(0.3)
            page.script(f"window.navroPad.buttons[{button}] = {{pressed: false, value: 0}}")
            time.sleep(0.3)
        page.script("window.navroPad.connected = false; navigator.getGamepads = () => [];")
        # "ENTER SEED:" left of where OPTIONS stood, and PLAY gone.
        wait_picture(page, "seed screen", 20, lambda p: white_in(p, 340, 350, 200, 40)
                     and not white_in(p, 520, 190, 240, 60))
        page.keys(*([Keys.BACKSPACE] * 20))
        page.keys("1")
        page.wait_line(r"^textTypeLength: 1 ", 10)
        page.keys(Keys.ENTER)
        page.wait_line(r"Collision detected!", 60)
        deadline = time.time() + 10
        while page.script("return Module.navroRecordsKept") < 1:
            if time.time() > deadline:
                fail("the run's record never reached the browser's storage")
            time.sleep(0.1)
        page.canvas_shot("run-over")

        page.keys(Keys.ESCAPE)
        page.wait_line("^" + re.escape(ENDED) + "$", 20)
        notice = page.driver.find_element(By.ID, "notice")
        if not notice.is_displayed() or notice.text != ENDED:
            fail(f"the notice over the canvas reads '{notice.text}'")
        if not any(l.endswith("runs 1") for l in page.lines):
            fail("shutdown did not print the run count")
        if SHOTS:
            page.driver.save_screenshot(os.path.join(SHOTS, "ended.png"))

        # A reload reads the record the run left.
        page.lines.clear()
        page.open()
        page.wait_line(r"^runs 1$", START_WAIT)
        print(f"play_page: menu drawn, second tab refused, F11 in and out, PLAY by pad, "
              f"seed 1 ended on a blade, "
              f"record kept, "
              f"Escape ended with the notice, reload read 1 run ({time.time() - started:.0f} s)")
    finally:
        page.close()
        server.shutdown()


if __name__ == "__main__":
    main()
