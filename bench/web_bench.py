"""The browser page in headless Chromium: how soon it is ready to code after loading, coding and
decoding 65,000 characters inside the page against the native codec of the same run, and the
size of the one file. Medians; printed, never a test.
Usage: web_bench.py PAGE.html CODEC_NATIVE"""
import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
from cdp import Browser, Page  # noqa: E402

page_path, native = (os.path.abspath(a) for a in sys.argv[1:3])
browser = Browser()
try:
    ready = []
    for _ in range(11):
        page = Page(browser)
        start = time.monotonic()
        page.send("Page.navigate", {"url": "file://" + page_path})
        page.wait_for("!!document.body && document.body.dataset.ready === 'true'", timeout=30)
        ready.append((time.monotonic() - start) * 1000)
    text = ("Sixty-five thousand characters of text, coded into a picture and back. " * 1000)[:65000]
    inside = page.evaluate(f"Module.benchmark({text!r})")
finally:
    browser.close()
encode, decode, _ = (float(v) for v in subprocess.run([native], capture_output=True, text=True).stdout.split())
print("The browser page (median of 11 loads; coding medians of 21 runs)")
print(f"  ready to code after {statistics.median(ready):7.1f} ms from navigation (target below 300 ms;"
      " the time includes the protocol's round trips)")
print(f"  coding 65,000 characters:   {inside['encode']:7.2f} ms, native {encode:6.2f} ms:"
      f" {inside['encode'] / max(encode, 1e-3):.2f} x (target at most 2 x)")
print(f"  decoding the picture:       {inside['decode']:7.2f} ms, native {decode:6.2f} ms:"
      f" {inside['decode'] / max(decode, 1e-3):.2f} x (target at most 2 x)")
size = os.path.getsize(page_path)
print(f"  the page: {size:,} bytes (target under 1.5 MiB = {3 << 19:,})")
