"""Wine for the Windows build's programs: 32-bit programs made to run (under
qemu-i386 where the kernel cannot run them), a display (a private Xvfb when
there is none), the build's pristine prefix template (made once per build)
and a fresh prefix copied from it for each run, and the end of a run's Wine
session. Shared by setuphost-wine and wine-run.
"""

import errno
import fcntl
import os
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

STOP_STATUS = 2

# Files of the template that are linked into a run's prefix rather than
# copied: large, and never written by a run (programs, libraries, fonts).
LINKED_SUFFIXES = {".dll", ".exe", ".drv", ".sys", ".ocx", ".tlb", ".acm", ".cpl", ".ax",
                   ".ttf", ".ttc", ".fon", ".nls", ".mui", ".ds", ".msstyles", ".com", ".vxd"}
WINE_DLL_OVERRIDES = "mscoree,mshtml=;winemenubuilder.exe=d"
QEMU_BINFMT = (r":qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00"
               r"\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe"
               r"\xff\xff\xff:{qemu}:F")


def fail(message, status=STOP_STATUS):
    print(f"{Path(sys.argv[0]).name}: {message}", file=sys.stderr)
    sys.exit(status)


def windows_path(path):
    """A Linux path as Wine's drive Z: shows it."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


def can_run_wine_loader():
    try:
        subprocess.run(["/usr/lib/wine/wine", "--version"], stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=False)
        return True
    except FileNotFoundError:
        fail("Wine is not installed (Debian packages wine and wine32:i386)")
    except OSError as error:
        if error.errno == errno.ENOEXEC:
            return False
        raise


def ensure_32bit_programs():
    """Makes 32-bit programs run, through qemu-i386 where the kernel cannot."""
    if can_run_wine_loader():
        return
    qemu = shutil.which("qemu-i386") or shutil.which("qemu-i386-static")
    if qemu is None:
        fail("this kernel cannot run Wine's 32-bit programs; install qemu-user-static "
             "(version 8 or later, e.g. from bookworm-backports) so that they run under "
             "qemu-i386")
    binfmt = Path("/proc/sys/fs/binfmt_misc")
    if not (binfmt / "register").exists():
        subprocess.run(["mount", "-t", "binfmt_misc", "binfmt_misc", str(binfmt)], check=False)
    entry = binfmt / "qemu-i386"
    if entry.exists():
        entry.write_text("-1")  # an entry that does not work: made anew
    try:
        (binfmt / "register").write_text(QEMU_BINFMT.format(qemu=os.path.realpath(qemu)))
    except OSError as error:
        fail(f"cannot register qemu-i386 for 32-bit programs ({error}); run as root once")
    if not can_run_wine_loader():
        fail("32-bit programs still do not run under qemu-i386")


class Display:
    """DISPLAY, or a private Xvfb for the run."""

    def __init__(self, screen):
        self.process = None
        self.name = os.environ.get("DISPLAY")
        if self.name:
            return
        if shutil.which("Xvfb") is None:
            fail("no DISPLAY and no Xvfb (Debian package xvfb)")
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{screen}x24", "-nolisten",
             "tcp"], pass_fds=[write_end], stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            fail("Xvfb did not start")
        self.name = ":" + number

    def close(self):
        if self.process is not None:
            self.process.terminate()
            self.process.wait()


def wine_environment(prefix, display, debug, locale="en_US.UTF-8"):
    env = dict(os.environ)
    env.update(WINEPREFIX=str(prefix), WINEARCH="win32", DISPLAY=display,
               WINEDEBUG=debug, WINEDLLOVERRIDES=WINE_DLL_OVERRIDES, LANG=locale,
               LC_ALL=locale)
    return env


def make_template(build, display):
    """The pristine prefix of this build, made once (under a lock)."""
    template = build / "wine-template"
    ready = template / ".kyr-ready"
    if ready.exists():
        return template
    with open(build / "wine-template.lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if ready.exists():
            return template
        shutil.rmtree(template, ignore_errors=True)
        making = build / "wine-template.new"
        shutil.rmtree(making, ignore_errors=True)
        env = wine_environment(making, display, "-all")
        print(f"{Path(sys.argv[0]).name}: making the Wine prefix template (once per build)",
              file=sys.stderr)
        subprocess.run(["wineboot", "-i"], env=env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, check=False)
        subprocess.run(["wineserver", "-w"], env=env, check=False)
        if not (making / "drive_c" / "windows" / "system32").is_dir():
            fail("wineboot did not make a prefix")
        making.rename(template)
        ready.touch()
    return template


def copy_prefix(template, prefix):
    """A run's prefix: the template's large program files linked, the rest copied."""
    for directory, subdirs, files in os.walk(template):
        relative = Path(directory).relative_to(template)
        target = prefix / relative
        target.mkdir(parents=True, exist_ok=True)
        for name in subdirs:
            source = Path(directory) / name
            if source.is_symlink():
                os.symlink(os.readlink(source), target / name)
        subdirs[:] = [name for name in subdirs if not (Path(directory) / name).is_symlink()]
        for name in files:
            source = Path(directory) / name
            if name == ".kyr-ready":
                continue
            if source.is_symlink():
                os.symlink(os.readlink(source), target / name)
            elif source.suffix.lower() in LINKED_SUFFIXES:
                os.link(source, target / name)
            else:
                shutil.copy2(source, target / name)


def mark_phase(what):
    """Appends "SECONDS WHAT" to the file KYR_WINE_PHASES names, if any."""
    path = os.environ.get("KYR_WINE_PHASES")
    if path:
        with open(path, "a", encoding="utf-8") as phases:
            phases.write(f"{time.time():.3f} {what}\n")


def prefix_processes(prefix):
    """The processes of the prefix's Wine session: {pid: command name}."""
    marker = f"WINEPREFIX={prefix}".encode()
    found = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit() or int(entry) == os.getpid():
            continue
        try:
            environ = Path("/proc", entry, "environ").read_bytes().split(b"\0")
            if marker in environ:
                found[int(entry)] = Path("/proc", entry, "comm").read_text().strip()
        except OSError:
            continue
    return found


def end_wine_session(env, prefix):
    """Ends the prefix's wineserver and every Wine process of the prefix.

    The run is over, so the session's programs (the runner, services, the
    desktop) are killed at once; the wineserver, left without clients, is then
    asked to end (SIGTERM), which it does at once, after writing the registry
    files of the prefix. "wineserver -k" would take most of a second. The
    server's command name is "wineserver", or "wineserver32"/"wineserver64"
    where the distribution installs one per architecture (Debian); killing
    it outright would lose the registry the run changed.
    """
    def is_server(name):
        return name.startswith("wineserver")

    def send(pids, signal_number):
        for pid in pids:
            try:
                os.kill(pid, signal_number)
            except OSError:
                pass

    processes = prefix_processes(prefix)
    send([pid for pid, name in processes.items() if not is_server(name)], signal.SIGKILL)
    send([pid for pid, name in processes.items() if is_server(name)], signal.SIGTERM)
    deadline = time.monotonic() + 5
    while True:
        left = prefix_processes(prefix)
        if not left:
            return
        if time.monotonic() > deadline:
            send(left, signal.SIGKILL)
            return
        time.sleep(0.01)


def run_program(command, env, cwd, timeout, work):
    """Runs a Wine command and ends its Wine session: (status, stdout, stderr).

    Wine's own processes outlive the run briefly: they get files, not pipes,
    so that nothing waits for them to let go of the output. A run that takes
    longer than timeout seconds is stopped with STOP_STATUS. The prefix's
    registry files are written as the session ends.
    """
    out_path, err_path = Path(work) / "stdout", Path(work) / "stderr"
    with open(out_path, "wb") as out_file, open(err_path, "wb") as err_file:
        started = subprocess.Popen(command, env=env, stdout=out_file, stderr=err_file,
                                   stdin=subprocess.DEVNULL, cwd=str(cwd),
                                   start_new_session=True)
        try:
            status = started.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            os.killpg(started.pid, signal.SIGKILL)
            started.wait()
            print(f"{Path(sys.argv[0]).name}: the run did not end; stopped", file=sys.stderr)
            status = STOP_STATUS
    mark_phase("runner exited")
    end_wine_session(env, env["WINEPREFIX"])
    mark_phase("wine session ended")
    return status, out_path.read_bytes(), err_path.read_bytes()
