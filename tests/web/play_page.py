#!/usr/bin/python3
"""The web edition played in headless Chromium, as a player gets it from a server.

The page loads only its own files (its policy refuses any other origin, and every request it made
went to its own); it shows the download and each picture's preparation, then draws the main menu
with every picture loaded and its lines in the console, its canvas filling the window at 16:9 and
sharp at twice the pixel density; it takes keys only while its canvas has the focus, the arrows
and Space never scroll it, and a key starts its sound. A second tab on the same record is refused;
F11 puts the game in full screen and takes it out; a pad in the browser's standard mapping chooses
PLAY; a typed seed's run ends on a blade and the record reaches the browser's storage; Escape ends
the game with its record and the notice; a reload reads the record back, and a run's screen,
drawn with the clock stopped, matches the desktop build's (--desktop, the folder of a desktop
build whose game is played the same way by desktop_run_screen.sh). Then the bad
environments: the page opened from a file, navro.data missing, a picture damaged inside it, no
WebGL 2, a browser that refuses its storage and one whose storage is full.

Usage: play_page.py SITE_FOLDER [--shots DIR] [--desktop BUILD_FOLDER]
"""
import argparse
import functools
import http.server
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading
import time
from io import BytesIO

from PIL import Image, ImageStat
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
ENDED = "NAVRO has ended: reload to play again"
HELD = "NAVRO is already running on this record (save.esf)"
NOT_KEPT = "NAVRO cannot keep its record in this browser"
START_WAIT = 120  # seconds: the pictures are decoded on the page's one thread
SEED_WITH_ITEMS = "187"  # items on lane 0 ahead: the run's screen shows the HUD's art too
PROBLEMS = r"ERROR::|Failed to|Aborted|exception|Uncaught|Refused to|NAVRO stopped"

# The picture comparison. Both renderers are software ones (llvmpipe on the desktop, SwiftShader
# in Chromium) and round edges and texture lookups a little differently: the two builds' frames
# of the seed differ by at most 7.6 (of 255) in the mean of a 16 x 16 tile, where the tunnel's
# lines meet in the distance, and by under 4 elsewhere. The tolerance is 12: the web build drawing
# the tunnel's edges as WebGL's 1-pixel lines instead of its 2-pixel quads puts 43 tiles over it
# (up to 31), and the whole picture one pixel lower puts 18 over it (up to 15).
TILE = 16
TILE_TOLERANCE = 12

# Counts the animation frames in which the page's status line changed, from its first moment.
STATUS_WATCH = """
window.navroStatusSeen = [];
(function() {
  var frame = 0;
  (function count() { frame++; requestAnimationFrame(count); })();
  new MutationObserver(function() {
    var line = document.getElementById('status');
    if (line) window.navroStatusSeen.push([frame, line.textContent]);
  }).observe(document, {subtree: true, childList: true, characterData: true});
})();
"""
# A pad the browser maps to its standard layout, at rest; the game reads it every frame.
STANDARD_PAD = """
window.navroPad = {id: 'NAVRO test pad', index: 0, connected: true, mapping: 'standard',
  timestamp: 0, axes: [0, 0, 0, 0],
  buttons: Array.from({length: 17}, () => ({pressed: false, value: 0}))};
navigator.getGamepads = () => [window.navroPad];
"""
SOUTH, DPAD_UP, DPAD_DOWN = 0, 12, 13  # the standard mapping's button indices
NO_WEBGL2 = """
const getContext = HTMLCanvasElement.prototype.getContext;
HTMLCanvasElement.prototype.getContext = function(kind, options) {
  return kind === 'webgl2' ? null : getContext.call(this, kind, options);
};
"""
STORAGE_REFUSED = """
IDBFactory.prototype.open = function() {
  throw new DOMException('The operation is insecure.', 'SecurityError');
};
"""


SHOTS = None  # where the canvas's pictures are kept, when given


def fail(why):
    print(f"FAIL: {why}", file=sys.stderr)
    sys.exit(1)


class Site:
    """A folder served on the loopback address, each its own origin; notes every path asked."""

    def __init__(self, folder):
        asked = self.asked = []

        class Handler(http.server.SimpleHTTPRequestHandler):
            def log_message(self, *args):
                asked.append(self.path)

        self.server = http.server.ThreadingHTTPServer(
            ("127.0.0.1", 0), functools.partial(Handler, directory=folder))
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.origin = f"http://127.0.0.1:{self.server.server_address[1]}"
        self.url = self.origin + "/index.html"


class Browser:
    """Debian's Chromium through Debian's driver, named outright (Selenium would otherwise look
    for a driver of its own with its manager, which Debian leaves out), with a viewport of
    exactly 1280 x 720 and the game's console lines gathered as they come."""

    def __init__(self):
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        self.profile = tempfile.TemporaryDirectory(prefix="navro-chromium-")
        for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync",
                     # WebGL 2 without a GPU: the browser's own software renderer.
                     "--enable-unsafe-swiftshader", "--use-angle=swiftshader",
                     "--window-size=1400,900", f"--user-data-dir={self.profile.name}"):
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        self.driver = webdriver.Chrome(service=Service(executable_path=CHROMEDRIVER),
                                       options=options)
        self.lines = []
        self.scripts = []
        self.viewport(1280, 720, 1)

    def cdp(self, command, parameters=None):
        return self.driver.execute_cdp_cmd(command, parameters or {})

    def viewport(self, width, height, density):
        self.cdp("Emulation.setDeviceMetricsOverride", {"width": width, "height": height,
                                                       "deviceScaleFactor": density,
                                                       "mobile": False})

    def open(self, url, *before):
        """Opens `url` with `before` run in the page ahead of its own scripts."""
        for source in self.scripts:
            self.cdp("Page.removeScriptToEvaluateOnNewDocument", {"identifier": source})
        self.scripts = [self.cdp("Page.addScriptToEvaluateOnNewDocument",
                                 {"source": source})["identifier"] for source in before]
        self.read_console()
        self.lines.clear()
        self.driver.get(url)

    def read_console(self):
        for entry in self.driver.get_log("browser"):
            # "URL LINE:COLUMN "text"": the text is the game's line, quoted as a JS string.
            found = re.match(r'^\S+ \d+:\d+ "(.*)"$', entry["message"], re.S)
            self.lines.append(found.group(1).encode().decode("unicode_escape")
                              if found else entry["message"])
        return self.lines

    def count(self, pattern):
        return sum(1 for line in self.read_console() if re.search(pattern, line))

    def wait_line(self, pattern, seconds, count=1):
        deadline = time.time() + seconds
        while time.time() < deadline:
            if self.count(pattern) >= count:
                return
            time.sleep(0.2)
        fail(f"no console line /{pattern}/ (x{count}) within {seconds} s; last lines:\n  "
             + "\n  ".join(self.lines[-15:]))

    def wait_notice(self, start, seconds):
        deadline = time.time() + seconds
        notice = ""
        while time.time() < deadline and not notice.startswith(start):
            notice = self.script("var n = document.getElementById('notice');"
                                 "return n && !n.hidden ? n.textContent : ''") or ""
            time.sleep(0.2)
        if not notice.startswith(start):
            fail(f"the page never showed '{start}' (notice: '{notice}')")
        return notice

    def keys(self, *keys):
        # Typed into the focused canvas with the pointer left where it is: a pointer over the
        # canvas would select the button under it.
        self.script("document.getElementById('canvas').focus()")
        self.press(*keys)

    def press(self, *keys):
        for key in keys:
            ActionChains(self.driver).send_keys(key).perform()
            time.sleep(0.15)

    def pad(self, *buttons):
        self.script(STANDARD_PAD)
        for button in buttons:
            self.script(f"window.navroPad.buttons[{button}] = {{pressed: true, value: 1}}")
            time.sleep(0.3)
            self.script(f"window.navroPad.buttons[{button}] = {{pressed: false, value: 0}}")
            time.sleep(0.3)
        self.script("window.navroPad.connected = false; navigator.getGamepads = () => [];")

    def canvas_shot(self, name):
        png = self.driver.find_element(By.ID, "canvas").screenshot_as_png
        if SHOTS:
            with open(os.path.join(SHOTS, f"{name}.png"), "wb") as out:
                out.write(png)
        return Image.open(BytesIO(png)).convert("RGB")

    def wait_picture(self, name, seconds, check):
        deadline = time.time() + seconds
        while time.time() < deadline:
            picture = self.canvas_shot(name)
            if check(picture):
                return picture
            time.sleep(0.5)
        fail(f"the canvas never showed the {name}")

    def script(self, code):
        return self.driver.execute_script(code)

    def close(self):
        self.driver.quit()
        self.profile.cleanup()


def box_mean(picture, box, scale=1.0):
    """Mean red, green and blue of a box given in 1280 x 720 pixels, on a picture `scale` times
    that size."""
    x, y, width, height = (round(v * scale) for v in box)
    return ImageStat.Stat(picture.crop((x, y, x + width, y + height))).mean


def white_in(picture, box, scale=1.0):
    """Some pixel of the box is near white: text or a lit edge was drawn there."""
    x, y, width, height = (round(v * scale) for v in box)
    return any(min(pixel) > 200 for pixel in picture.crop((x, y, x + width, y + height)).getdata())


def red_in(picture, box):
    """The box holds a red caption: a selected button."""
    red, green, _ = box_mean(picture, box)
    return red > 8 and red > 3 * green + 2


PLAY_BOX, CAREER_BOX = (520, 190, 240, 60), (40, 650, 300, 70)


def menu_drawn(scale=1.0):
    return lambda p: white_in(p, PLAY_BOX, scale) and white_in(p, CAREER_BOX, scale)


def hud_drawn(picture):
    return white_in(picture, (600, 15, 80, 40)) and white_in(picture, (1050, 670, 230, 50))


def start_game(page, url, *before):
    """Opens the page and waits for the main menu, with every picture reported."""
    page.open(url, *before)
    page.wait_line(r"^Loaded texture: |^Failed to load texture: ", START_WAIT, count=20)
    return page.wait_picture("menu", 60, menu_drawn())


def play_seed(page, seed, runs=1):
    """From the main menu, the seed screen (PLAY), seed `seed` typed over the proposal, its run
    ended on a blade; with runs=2, the run-over screen's QUICK PLAY plays one more."""
    page.keys(Keys.DOWN, Keys.ENTER)
    page.wait_picture("seed screen", 20, lambda p: white_in(p, (340, 350, 200, 40))
                      and not white_in(p, PLAY_BOX))
    page.keys(*([Keys.BACKSPACE] * 20), *seed, Keys.ENTER)
    page.wait_line(r"Collision detected!", 60)
    if runs == 2:  # the run-over screen's buttons: EXIT, QUICK PLAY, PLAY NEW SEED
        page.keys(Keys.DOWN, Keys.DOWN, Keys.ENTER)
        page.wait_line(r"Collision detected!", 60, count=2)


def check_loading_and_origin(page, site, elsewhere):
    """The download's and every picture's progress shown; the page's policy refuses every other
    origin, and every request it made went to its own."""
    seen = page.script("return window.navroStatusSeen")
    if not any(re.match(r"Downloading the game: [\d.]+ of [\d.]+ MB$", text) for _, text in seen):
        fail(f"no download progress on the page: {seen[:5]}")
    frames = {int(m.group(1)): frame for frame, text in seen
              for m in [re.match(r"Preparing the pictures: (\d+) of 20$", text)] if m}
    # Start-up takes a slice of each animation frame, so the line moves on in steps of a few
    # pictures: from 0, on several frames, each count on a later frame than the one before.
    counts = sorted(frames)
    if (counts[:1] != [0] or len(counts) < 4
            or any(frames[a] >= frames[b] for a, b in zip(counts, counts[1:]))):
        fail(f"the pictures' progress was not shown as they were prepared: {frames}")
    if "sound starts then" not in page.script("return document.getElementById('status').textContent"):
        fail("the page does not say when sound starts")

    policy = page.script("var m = document.querySelector("
                         "'meta[http-equiv=\"Content-Security-Policy\"]'); return m && m.content")
    if not policy or "default-src 'self'" not in policy or re.search(
            r"\*|https?:|'unsafe-inline'|'unsafe-eval'|data:|blob:", policy):
        fail(f"the page's policy does not keep it to its own origin: {policy}")
    requests = page.script("return [location.href].concat(performance.getEntriesByType("
                           "'resource').map(e => e.name))")
    foreign = [r for r in requests if not r.startswith(site.origin + "/")]
    if foreign or not {"/navro.js", "/navro.wasm", "/navro.data"} <= set(site.asked):
        fail(f"requests beyond the page's origin: {foreign}; its server was asked {site.asked}")
    # What the policy does with any other origin: the browser refuses it, and never asks it.
    page.script(f"""
        window.navroBlocked = [];
        document.addEventListener('securitypolicyviolation', e => navroBlocked.push(e.blockedURI));
        fetch('{elsewhere.origin}/data').catch(() => {{}});
        new Image().src = '{elsewhere.origin}/picture.png';
        var s = document.createElement('script');
        s.src = '{elsewhere.origin}/script.js';
        document.head.appendChild(s);""")
    time.sleep(1)
    blocked = page.script("return window.navroBlocked")
    if len(blocked) != 3 or elsewhere.asked:
        fail(f"another origin was reached: blocked {blocked}, it was asked {elsewhere.asked}")


def check_fit(page):
    """The canvas is the window's largest 16:9 box, centred, and its drawing buffer has the
    screen's pixels, with the menu drawn across it."""
    for width, height, density in ((1000, 700, 1), (1280, 720, 2), (1280, 720, 1)):
        page.viewport(width, height, density)
        time.sleep(0.5)
        left, top, css_w, css_h, buf_w, buf_h = page.script(
            "var c = document.getElementById('canvas'), r = c.getBoundingClientRect();"
            "return [r.left, r.top, r.width, r.height, c.width, c.height]")
        expected = (min(width, height * 16 / 9), min(height, width * 9 / 16))
        if (abs(css_w - expected[0]) > 1 or abs(css_h - expected[1]) > 1
                or abs(2 * left + css_w - width) > 1 or abs(2 * top + css_h - height) > 1
                or abs(buf_w - css_w * density) > 1 or abs(buf_h - css_h * density) > 1):
            fail(f"at {width} x {height} x {density} the canvas is {css_w} x {css_h} at "
                 f"({left}, {top}) with a {buf_w} x {buf_h} buffer")
        page.wait_picture(f"menu-{width}x{height}x{density}", 20,
                          menu_drawn(css_w * density / 1280))


def check_keys(page):
    """Keys reach the game only while its canvas has the focus; the arrows and Space never
    scroll the page; the first key starts the game's sound."""
    sound = "return window.miniaudio.devices.filter(d => d).map(d => d.webaudio.state)"
    page.script("window.navroKeys = [];"
                "addEventListener('keydown', e => navroKeys.push([e.key, e.defaultPrevented]))")
    page.script("document.activeElement.blur()")
    page.press(Keys.DOWN)
    time.sleep(0.5)
    if red_in(page.canvas_shot("menu-unfocused"), PLAY_BOX) or page.script(sound) != ["suspended"]:
        fail("a key reached the game while its canvas did not have the focus")
    page.keys(Keys.DOWN, Keys.SPACE)
    page.wait_picture("menu-play-selected", 10, lambda p: red_in(p, PLAY_BOX))
    pressed = page.script("return navroKeys")  # the key without focus never reached the page
    if pressed != [["ArrowDown", True], [" ", True]] or page.script("return scrollY") != 0:
        fail(f"the arrows or Space were left to the page: {pressed}")
    deadline = time.time() + 5
    while page.script(sound) != ["running"]:
        if time.time() > deadline:
            fail(f"the game's sound did not start with a key: {page.script(sound)}")
        time.sleep(0.1)


def check_second_tab(page, url):
    """A second tab on the same record is refused while this one plays: its line in its
    console and over its canvas, and no game started there."""
    first_tab, first_scripts = page.driver.current_window_handle, page.scripts
    page.driver.switch_to.new_window("tab")
    page.scripts = []  # those to remove are the first tab's
    page.open(url)
    notice = page.wait_notice(HELD, START_WAIT)
    page.wait_line("^" + re.escape(notice) + "$", 10)
    if page.count(r"^Loaded texture: "):
        fail("the refused tab loaded the pictures")
    page.driver.close()
    page.driver.switch_to.window(first_tab)
    page.scripts = first_scripts


def check_fullscreen(page):
    """F11: the game's stage takes the whole screen, the canvas its 16:9 within it at the
    screen's pixels, and a second F11 gives it back."""
    page.keys(Keys.F11)
    time.sleep(0.5)
    state = page.script("var c = document.getElementById('canvas'), r = c.getBoundingClientRect();"
                        "return [document.fullscreenElement && document.fullscreenElement.id,"
                        " r.width, c.width, c.height]")
    if state[0] != "stage" or abs(state[2] - state[1]) > 1 or abs(state[2] / state[3] - 16 / 9) > 0.01:
        fail(f"F11 did not put the game in full screen at 16:9: {state}")
    page.keys(Keys.F11)
    time.sleep(0.5)
    if page.script("return document.fullscreenElement") is not None:
        fail("a second F11 did not leave full screen")


def compare_with_desktop(page, build):
    """A run's screen at game time 0 (the page's clock stopped) against the desktop build's."""
    desktop_png = os.path.join(tempfile.mkdtemp(prefix="navro-desktop-"), "run.png")
    if subprocess.run(["bash", os.path.join(os.path.dirname(__file__), "desktop_run_screen.sh"),
                       os.path.join(build, "navro"),
                       os.path.join(build, "tests", "libnavro-frozen-clock.so"), SEED_WITH_ITEMS,
                       desktop_png], stdout=subprocess.DEVNULL).returncode != 0:
        fail("the desktop build's run screen could not be taken")
    page.keys(Keys.DOWN, Keys.ENTER)
    time.sleep(0.5)
    page.keys(*([Keys.BACKSPACE] * 20), *SEED_WITH_ITEMS, Keys.ENTER)
    web = page.wait_picture("run-at-0", 30, hud_drawn)
    desktop = Image.open(desktop_png).convert("RGB")
    shutil.rmtree(os.path.dirname(desktop_png))
    if desktop.size != web.size:
        fail(f"the desktop's picture is {desktop.size}, the web's {web.size}")
    worst = (0.0, 0, 0)
    for y in range(0, web.size[1], TILE):
        for x in range(0, web.size[0], TILE):
            box = (x, y, TILE, TILE)
            differs = max(abs(a - b) for a, b in zip(box_mean(web, box), box_mean(desktop, box)))
            worst = max(worst, (differs, x, y))
    if worst[0] > TILE_TOLERANCE:
        fail(f"the web's run screen differs from the desktop's by {worst[0]:.1f} in the tile at "
             f"({worst[1]}, {worst[2]}), more than {TILE_TOLERANCE}")
    return worst[0]


def bad_environments(page, folder):
    """The page from a file; navro.data missing; a picture damaged inside it while the browser
    refuses its storage; no WebGL 2; a full storage. Each says so plainly, and the game plays
    wherever it can."""
    page.open("file://" + os.path.join(folder, "index.html"))
    page.wait_notice("NAVRO must be served by a web server", 10)

    scratch = tempfile.mkdtemp(prefix="navro-site-")
    try:
        for name in ("index.html", "navro.js", "navro.wasm", "favicon.ico", "navro-icon.png"):
            shutil.copy(os.path.join(folder, name), scratch)
        page.open(Site(scratch).url)
        page.wait_notice("NAVRO could not load its data, navro.data", 30)

        # door.png's bytes, where the data's index in navro.js puts them, made zeros.
        with open(os.path.join(folder, "navro.js"), encoding="utf-8") as f:
            # Emscripten releases write that index as JSON or as a minified object literal.
            index = re.search(r'"?filename"?:\s*"/res/door.png",\s*"?start"?:\s*(\d+),'
                              r'\s*"?end"?:\s*(\d+)', f.read())
            start, end = map(int, index.groups())
        with open(os.path.join(folder, "navro.data"), "rb") as f:
            data = bytearray(f.read())
        data[start:end] = bytes(end - start)
        with open(os.path.join(scratch, "navro.data"), "wb") as f:
            f.write(data)
        start_game(page, Site(scratch).url, STORAGE_REFUSED)
        if page.count(r"^Failed to load texture: \./res/door\.png$") != 1 or \
                page.count(r"^Loaded texture: ") != 19:
            fail("the damaged picture was not reported once, beside the 19 others loaded")
        play_seed(page, "1", runs=2)
        if page.count("^" + NOT_KEPT) != 1:
            fail(f"a refused storage was not said exactly once: {page.count('^' + NOT_KEPT)}")
    finally:
        shutil.rmtree(scratch)

    site = Site(folder)
    page.open(site.url, NO_WEBGL2)
    line = "NAVRO needs WebGL 2; this browser did not give the page a WebGL 2 context"
    page.wait_notice(line, 30)
    page.wait_line("^" + re.escape(line) + "$", 5)

    # A storage with no room (a quota of 1 byte: 0 would lift the override): the record is read
    # (there is none), and each save is refused.
    site = Site(folder)
    page.cdp("Storage.overrideQuotaForOrigin", {"origin": site.origin, "quotaSize": 1})
    start_game(page, site.url)
    play_seed(page, "1", runs=2)
    page.wait_line("^" + NOT_KEPT, 10)
    if page.count("^" + NOT_KEPT) != 1 or page.script("return Module.navroRecordsKept") != 0:
        fail("a full storage was not said exactly once")


def main():
    global SHOTS
    arguments = argparse.ArgumentParser()
    arguments.add_argument("site")
    arguments.add_argument("--shots")
    arguments.add_argument("--desktop")
    options = arguments.parse_args()
    SHOTS = options.shots
    folder = os.path.abspath(options.site)
    started = time.time()
    site, elsewhere = Site(folder), Site(folder)
    page = Browser()
    try:
        if not page.script("return !!document.createElement('canvas').getContext('webgl2')"):
            fail("this Chromium offers no WebGL 2, even in software")
        # The record is read before the pictures: a first visit has none.
        start_game(page, site.url, STATUS_WATCH)
        if page.count(r"^runs 0$") != 1 or page.count(r"^Loaded texture: ") != 20:
            fail("start-up did not read an empty record and load the 20 pictures")
        problems = [line for line in page.lines if re.search(PROBLEMS, line)]
        if problems:
            fail("start-up reported:\n  " + "\n  ".join(problems))
        check_loading_and_origin(page, site, elsewhere)
        check_fit(page)
        check_keys(page)
        check_second_tab(page, site.url)
        check_fullscreen(page)

        # PLAY chosen with a pad in the browser's standard mapping (PLAY is selected: up wraps to
        # the last button, down back to PLAY, south chooses it); on the seed screen the proposal
        # is cleared and seed 1 typed: its first platform has a blade on lane 0.
        page.pad(DPAD_UP, DPAD_DOWN, SOUTH)
        page.wait_picture("seed screen", 20, lambda p: white_in(p, (340, 350, 200, 40))
                          and not white_in(p, PLAY_BOX))
        page.keys(*([Keys.BACKSPACE] * 20), "1", Keys.ENTER)
        page.wait_line(r"Collision detected!", 60)
        deadline = time.time() + 10
        while page.script("return Module.navroRecordsKept") < 1:
            if time.time() > deadline:
                fail("the run's record never reached the browser's storage")
            time.sleep(0.1)
        page.canvas_shot("run-over")

        page.keys(Keys.ESCAPE)
        page.wait_line("^" + re.escape(ENDED) + "$", 20)
        if page.wait_notice(ENDED, 5) != ENDED or page.count(r"runs 1$") != 1:
            fail("Escape did not end the game with its totals and the notice")
        problems = [line for line in page.lines if re.search(PROBLEMS, line)]
        if problems:
            fail("the game reported:\n  " + "\n  ".join(problems))
        if SHOTS:
            page.driver.save_screenshot(os.path.join(SHOTS, "ended.png"))

        # A reload reads the record the run left, with the page's clock stopped at 0 from its
        # start, as the desktop game's is in its picture.
        start_game(page, site.url, "performance.now = () => 0;")
        if page.count(r"^runs 1$") != 1:
            fail("the reload did not read the record back")
        difference = compare_with_desktop(page, options.desktop) if options.desktop else None

        bad_environments(page, folder)
        print("play_page: loading shown, own origin only, canvas fitted and sharp, keys with "
              "focus, sound on a key, second tab refused, F11 in and out, PLAY by pad, seed 1 "
              "ended on a blade, record kept, Escape ended with the notice, reload read 1 run, "
              + (f"run screen within {difference:.1f} of the desktop's, "
                 if difference is not None else "")
              + f"bad environments said plainly ({time.time() - started:.0f} s)")
    finally:
        page.close()


if __name__ == "__main__":
    main()
