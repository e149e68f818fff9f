#!/usr/bin/python3
"""Start-up of the web edition in headless Chromium: from the navigation to the end of the first
frame the game draws (the main menu), on a first visit each time (a new profile, nothing cached),
served from the loopback address. Prints each start and the median.

Usage: web_start.py SITE_FOLDER [STARTS]
"""
import functools
import http.server
import statistics
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"

# Start-up's steps and then the game's frames are the page's animation frames; the page hears
# (navroPlayBegins) when the last step is done, and the next animation frame draws the first frame.
FIRST_FRAME_PROBE = """
window.navroFirstFrame = null;
let playing = false, heard = false;
const pageFrame = window.requestAnimationFrame.bind(window);
window.requestAnimationFrame = function(callback) {
  return pageFrame(function(time) {
    if (!heard && window.Module && Module.navroPlayBegins) {
      const begins = Module.navroPlayBegins;
      Module.navroPlayBegins = function() { begins(); playing = true; };
      heard = true;
    }
    const drawn = playing;
    callback(time);
    if (drawn && window.navroFirstFrame === null) window.navroFirstFrame = performance.now();
  });
};
"""


def chromium(options):
    """Debian's Chromium through Debian's driver, named outright: Selenium would otherwise look
    for a driver of its own with its manager, which Debian leaves out."""
    options.binary_location = CHROMIUM
    return webdriver.Chrome(service=Service(executable_path=CHROMEDRIVER), options=options)


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def one_start(url):
    profile = tempfile.TemporaryDirectory(prefix="navro-chromium-")
    options = webdriver.ChromeOptions()
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update",
                 "--disable-sync", "--enable-unsafe-swiftshader", "--use-angle=swiftshader",
                 "--window-size=1400,900", f"--user-data-dir={profile.name}"):
        options.add_argument(flag)
    driver = chromium(options)
    try:
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": FIRST_FRAME_PROBE})
        driver.get(url)
        deadline = time.time() + 120
        while time.time() < deadline:
            first = driver.execute_script("return window.navroFirstFrame")
            if first is not None:
                return first
            time.sleep(0.05)
        raise SystemExit("no frame drawn within 120 s")
    finally:
        driver.quit()
        profile.cleanup()


def main():
    site = sys.argv[1]
    starts = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0),
                                             functools.partial(Quiet, directory=site))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    url = f"http://127.0.0.1:{server.server_address[1]}/index.html"
    times = [one_start(url) for _ in range(starts)]
    print("web start-up to the first drawn frame (ms): "
          + ", ".join(f"{t:.0f}" for t in times) + f"; median {statistics.median(times):.0f}")
    server.shutdown()


if __name__ == "__main__":
    main()
