"""Screenshots of a Wine run: setuphost.exe asks for each picture by writing
FOLDER/NN-KIND.request (holding the number of transcript lines so far) and
waits until the file is gone; ScreenshotTaker watches the folder, saves the
display's screen as FOLDER/NN-KIND.png with ImageMagick's import and removes
the request. write_index then makes FOLDER/index.html: the pictures in
order, each beside the transcript lines that led to it.
"""

import html
import shutil
import subprocess
import sys
import threading
import time
from pathlib import Path

POLL_SECONDS = 0.02


class ScreenshotTaker:
    """Takes the pictures setuphost.exe asks for, on a thread of its own."""

    def __init__(self, folder, display):
        if shutil.which("import") is None:
            print(f"{Path(sys.argv[0]).name}: no screenshots without ImageMagick's import "
                  "(Debian package imagemagick)", file=sys.stderr)
            sys.exit(2)
        self.folder = folder.resolve()
        self.folder.mkdir(parents=True, exist_ok=True)
        for old in list(self.folder.glob("*.png")) + list(self.folder.glob("*.request*")):
            old.unlink()
        self.display = display
        self.shots = []  # (file name, transcript lines before it)
        self._stopping = threading.Event()
        self._thread = threading.Thread(target=self._watch, daemon=True)
        self._thread.start()

    def _watch(self):
        while not self._stopping.is_set():
            self._take_requested()
            time.sleep(POLL_SECONDS)
        self._take_requested()

    def _take_requested(self):
        for request in sorted(self.folder.glob("*.request")):
            try:
                lines = int(request.read_text().strip() or "0")
            except (OSError, ValueError):
                lines = 0
            picture = request.with_suffix(".png")
            taken = subprocess.run(["import", "-display", self.display, "-window", "root",
                                    str(picture)], stdout=subprocess.DEVNULL,
                                   stderr=subprocess.PIPE, check=False)
            if taken.returncode != 0:
                print(f"{Path(sys.argv[0]).name}: import failed for {picture.name}: "
                      f"{taken.stderr.decode(errors='replace').strip()}", file=sys.stderr)
            else:
                self.shots.append((picture.name, lines))
            request.unlink(missing_ok=True)

    def stop(self):
        if self._thread.is_alive():
            self._stopping.set()
            self._thread.join()


def write_index(taker, transcript):
    """FOLDER/index.html: each picture beside the transcript lines before it."""
    try:
        lines = transcript.read_text(encoding="latin-1").splitlines()
    except OSError:
        lines = []
    rows = []
    start = 0
    for name, count in taker.shots:
        rows.append((name, lines[start:count]))
        start = max(start, count)
    rows.append((None, lines[start:]))
    parts = ["<!DOCTYPE html>\n<html><head><meta charset=\"iso-8859-1\">"
             "<title>Installation screenshots</title>\n<style>"
             "body{font-family:sans-serif} td{vertical-align:top;padding:8px}"
             "pre{font-size:12px;margin:0} img{width:640px;border:1px solid #888}"
             "</style></head><body>\n<h1>Installation screenshots</h1>\n<table>\n"]
    for name, text in rows:
        shown = "<br>".join(html.escape(line) for line in text) or "&nbsp;"
        if name is None:
            if text:
                parts.append(f"<tr><td><b>after the last window</b></td><td><pre>{shown}"
                             "</pre></td></tr>\n")
            continue
        parts.append(f"<tr><td><a href=\"{html.escape(name)}\"><img src=\"{html.escape(name)}\" "
                     f"alt=\"{html.escape(name)}\"></a><br>{html.escape(name)}</td>"
                     f"<td><pre>{shown}</pre></td></tr>\n")
    parts.append("</table></body></html>\n")
    (taker.folder / "index.html").write_text("".join(parts), encoding="latin-1")
