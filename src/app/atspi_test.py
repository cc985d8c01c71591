#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The desktop program as a screen reader meets it: qelmarin runs with the accessibility
bridge on a session bus of the test's own, and its windows are read over AT-SPI.

Every control of the main window is found by its role and name (the format buttons by
their format, the vertical labels by their caption, the drop lists as lists with their
entries). Each settings button is pressed through its accessibility action, as screen
readers and test tools press it: the call must come back at once and the program must go on
answering the bus while the window it opened is up; that window's tree is read, and the
window is closed through its own buttons' actions.

With --without-cups the program starts where no print scheduler answers: first with
CUPS_SERVER naming a socket whose server accepts and then never answers (the window must
appear all the same: nothing at start-up waits on the scheduler), then with CUPS_SERVER
naming a missing socket, where 印刷 must bring up the print dialog with what can be printed
to (a file), the program answering throughout, and 終了 must end the process.

    atspi_test.py [--dump | --without-cups] QELMARIN KALVORIN_HOST
        (under dbus-run-session and an X server)
"""

import os
import socket
import subprocess
import sys
import tempfile
import threading
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

# How long a single call over the bus may take before the program counts as not answering.
CALL_TIMEOUT_MS = 4000
# How long the test waits for a window to appear (the program starts under Xvfb on a busy
# machine).
APPEAR_SECONDS = 60

failures = []


def check(what, ok):
    if not ok:
        failures.append(what)
        print("FAIL: " + what, file=sys.stderr)
    return ok


def role_name(obj):
    return obj.get_role_name()


def walk(obj, depth=0):
    """Every object under obj (obj first), with its depth."""
    yield obj, depth
    try:
        count = obj.get_child_count()
    except Exception:
        return
    for i in range(count):
        child = obj.get_child_at_index(i)
        if child is not None:
            yield from walk(child, depth + 1)


def dump(obj):
    for node, depth in walk(obj):
        print("  " * depth + "%s %r" % (role_name(node), node.get_name()))


def find(root, role, name):
    """The first node of role named name, or named name and then the value it shows
    ("始めの月 十二月" for "始めの月")."""
    for node, _ in walk(root):
        if role_name(node) == role and (node.get_name() == name or node.get_name().startswith(name + " ")):
            return node
    return None


def wait_for(predicate, seconds=APPEAR_SECONDS):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        value = predicate()
        if value:
            return value
        time.sleep(0.1)
    return None


def application(pid):
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        try:
            if app is not None and app.get_process_id() == pid:
                return app
        except Exception:
            pass
    return None


def windows(app):
    """The program's shown windows (frames), by name."""
    found = {}
    for i in range(app.get_child_count()):
        child = app.get_child_at_index(i)
        if child is None:
            continue
        states = child.get_state_set()
        if states.contains(Atspi.StateType.SHOWING):
            found[child.get_name()] = child
    return found


def press(obj):
    """Presses obj through its first action; True when the call came back in time."""
    try:
        return Atspi.Action.do_action(obj, 0)
    except gi.repository.GLib.Error as error:
        print("the action did not come back: %s" % error, file=sys.stderr)
        return False


# The main window, read from right to left: every control a person meets there.
MAIN_CONTROLS = [
    ("push button", "閉じる"),
    ("label", "暦形式選択"),
    ("label", "解説文選択"),
    ("label", "暦"),
    ("label", "一覧"),
    ("label", "日めくり"),
    ("label", "はり紙"),
    ("push button", "年"),
    ("push button", "始めの月"),
    ("push button", "終わりの月"),
    ("push button", "印刷設定"),
    ("push button", "休日設定"),
    ("push button", "プリンタ設定"),
    ("push button", "月の絵"),
    ("push button", "印刷"),
    ("push button", "確認"),
    ("push button", "説明"),
    ("push button", "終了"),
]
FORMATS = ["吉凶解説", "七十二候解説", "二十八宿解説", "十二直解説"]

# The settings buttons, the window each opens, what must be in it, and the button that
# closes it without saving.
SETTINGS = [
    ("印刷設定", "印刷設定",
     [("push button", "保存"), ("push button", "終了"), ("page tab", "共通"), ("page tab", "解説"),
      ("radio button", "二分の一"), ("list", "余白の一覧"), ("push button", "一月の絵を選ぶ"),
      ("push button", "十二月の絵を新しく作る")], "終了"),
    ("休日設定", "休日",
     [("push button", "保存"), ("push button", "終了"), ("push button", "日"), ("push button", "土"),
      ("calendar", "一月"), ("calendar", "十二月")], "終了"),
    ("月の絵", "印刷用 絵の確認と変更",
     [("push button", "終 了"), ("push button", "月選択"), ("push button", "絵変更"), ("push button", "新 絵"),
      ("list", "月の一覧"), ("image", "月の絵")], "終 了"),
]


def holiday_days(app, main_window, home):
    """The holiday editor as a screen reader meets it: every day of January a toggle named
    by its date; one toggled through its action, saved with 保存, is in the file."""
    button = find(main_window, "push button", "休日設定")
    if not check("settings button '休日設定'", button is not None and press(button)):
        return
    dialog = wait_for(lambda: windows(app).get("休日"), 30)
    if not check("'休日設定' opens the holiday editor", dialog is not None):
        return
    days = {}
    for node, _ in walk(dialog):
        if role_name(node) == "toggle button" and node.get_name().startswith("1月"):
            days[node.get_name()] = node
    check("every day of January is a toggle named by its date",
          sorted(days) == sorted("1月%d日" % d for d in range(1, 32)))
    day = days.get("1月15日")
    config = os.path.join(home, "Kalvorin.CFG")
    with open(config, "rb") as f:
        before = f.read()
    if check("1月15日 is there", day is not None):
        was = day.get_state_set().contains(Atspi.StateType.CHECKED)
        check("1月15日 toggled through its action", press(day))
        check("1月15日 changes its checked state",
              wait_for(lambda: day.get_state_set().contains(Atspi.StateType.CHECKED) != was, 10) is not None)
    save = find(dialog, "push button", "保存")
    if check("the holiday editor's 保存", save is not None):
        press(save)
        check("the holiday editor closes through 保存", wait_for(lambda: "休日" not in windows(app), 20) is not None)
    with open(config, "rb") as f:
        check("the toggled day is written to Kalvorin.CFG", f.read() != before)


def start(qelmarin, tmp, home, cups_server=None, stderr=None):
    env = dict(os.environ)
    env.pop("NO_AT_BRIDGE", None)
    env["HOME"] = os.path.join(tmp, "home")
    env["XDG_CACHE_HOME"] = os.path.join(tmp, "cache")
    env["XDG_CONFIG_HOME"] = os.path.join(tmp, "config")
    env["GTK_A11Y"] = "atk"
    if cups_server:
        env["CUPS_SERVER"] = cups_server
    return subprocess.Popen([qelmarin, "--home", home], env=env, stderr=stderr)


def stop(program):
    if program.poll() is None:
        program.kill()
    program.wait()


def main(argv):
    mode = argv[1] if argv[1].startswith("--") else ""
    if mode:
        argv = argv[1:]
    qelmarin, host = argv[1], argv[2]
    Atspi.set_timeout(CALL_TIMEOUT_MS, 60000)
    with tempfile.TemporaryDirectory() as tmp:
        home = os.path.join(tmp, "host")
        subprocess.run([host, "init", home, "--force", "--eto", "7"], check=True, stdout=subprocess.DEVNULL)
        if mode == "--without-cups":
            return without_cups(qelmarin, tmp, home)
        log_path = os.path.join(tmp, "stderr.txt")
        with open(log_path, "wb") as log:
            program = start(qelmarin, tmp, home, stderr=log)
            try:
                status = run(program, mode == "--dump", home)
            finally:
                stop(program)
        # Reading every window's tree makes GTK and ATK complain about nothing.
        with open(log_path, encoding="utf-8", errors="replace") as log:
            text = log.read()
        sys.stderr.write(text)
        criticals = [line for line in text.splitlines() if "-CRITICAL" in line]
        if criticals:
            print("FAIL: %d critical lines on stderr while the windows were read" % len(criticals),
                  file=sys.stderr)
            return 1
        return status


def without_cups(qelmarin, tmp, home):
    # A scheduler that takes the connection and never says a word.
    silent_path = os.path.join(tmp, "silent.sock")
    silent = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    silent.bind(silent_path)
    silent.listen(8)
    silent.setblocking(False)
    held = []

    def accept_all():
        while True:
            try:
                held.append(silent.accept()[0])
            except BlockingIOError:
                return

    program = start(qelmarin, tmp, home, silent_path)
    try:
        app = wait_for(lambda: accept_all() or application(program.pid), 30)
        main_window = app and wait_for(lambda: accept_all() or windows(app).get("Qelmarin"), 30)
        check("with a scheduler that never answers the main window appears", main_window is not None)
    finally:
        stop(program)
        for connection in held:
            connection.close()
        silent.close()

    # A scheduler that answers a byte at a time and never finishes: the question's own time
    # limits never fire, yet 終了 must end the process, not only close its window.
    trickle = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    trickle.bind(("127.0.0.1", 0))
    trickle.listen(8)
    asked = threading.Event()
    done = threading.Event()

    def answer_slowly():
        trickle.settimeout(0.2)
        connections = []
        while not done.is_set():
            try:
                connection = trickle.accept()[0]
                connection.sendall(b"HTTP/1.1 200 OK\r\n")
                connections.append(connection)
                asked.set()
            except socket.timeout:
                pass
            for connection in connections:
                try:
                    connection.sendall(b"X-Slow: 1\r\n")
                except OSError:
                    pass
            time.sleep(0.2)
        for connection in connections:
            connection.close()

    server = threading.Thread(target=answer_slowly)
    server.start()
    program = start(qelmarin, tmp, home, "127.0.0.1:%d" % trickle.getsockname()[1])
    try:
        app = wait_for(lambda: application(program.pid), 30)
        main_window = app and wait_for(lambda: windows(app).get("Qelmarin"), 30)
        check("with a scheduler that trickles its answer the main window appears", main_window is not None)
        check("the default printer is asked once the window is up", asked.wait(30))
        exit_button = main_window and find(main_window, "push button", "終了")
        if check("the 終了 button", exit_button is not None):
            press(exit_button)
            check("終了 ends the program while the scheduler is still answering",
                  wait_for(lambda: program.poll() is not None, 20) is not None)
    finally:
        stop(program)
        done.set()
        server.join()
        trickle.close()

    # No scheduler at all: printing offers a file, and 終了 ends the program.
    program = start(qelmarin, tmp, home, os.path.join(tmp, "no-such-folder", "cups.sock"))
    try:
        app = wait_for(lambda: application(program.pid))
        main_window = app and wait_for(lambda: windows(app).get("Qelmarin"))
        if not check("without a scheduler the main window appears", main_window is not None):
            return 1
        print_button = find(main_window, "push button", "印刷")
        check("印刷 pressed through its action comes back", print_button is not None and press(print_button))
        dialog = wait_for(lambda: windows(app).get("印刷"), 30)
        if check("印刷 brings up the print dialog", dialog is not None):
            check("the program answers the bus while the print dialog is open", main_window.get_name() == "Qelmarin")
            printers = wait_for(lambda: [n for n, _ in walk(dialog) if role_name(n) == "table cell"
                                         and n.get_name() == "Print to File"], 20)
            check("the print dialog offers Print to File", bool(printers))
            cancel = find(dialog, "push button", "_Cancel") or find(dialog, "push button", "Cancel")
            if check("the print dialog's Cancel button", cancel is not None):
                press(cancel)
                check("the print dialog closes", wait_for(lambda: "印刷" not in windows(app), 20) is not None)
        exit_button = find(main_window, "push button", "終了")
        if check("the 終了 button", exit_button is not None):
            press(exit_button)
            check("終了 ends the program", wait_for(lambda: program.poll() is not None, 30) is not None)
            check("the program ends with status 0", program.poll() == 0)
    finally:
        stop(program)
    if failures:
        print("%d failure(s)" % len(failures), file=sys.stderr)
        return 1
    print("without a scheduler the window appeared, printing offered a file, 終了 ended the program")
    return 0


def run(program, dump_only, home):
    app = wait_for(lambda: application(program.pid))
    if not check("qelmarin appears on the accessibility bus", app is not None):
        return 1
    main_window = wait_for(lambda: windows(app).get("Qelmarin"))
    if not check("the main window is on the bus by its title", main_window is not None):
        return 1
    # The format pictures are drawn after the first frame; the names are there before.
    if dump_only:
        dump(app)
    for role, name in MAIN_CONTROLS:
        check("main window: %s %r" % (role, name), find(main_window, role, name) is not None)
    for name in FORMATS:
        check("main window: format button %r" % name, find(main_window, "radio button", name) is not None)
    year_digits = [node for node, _ in walk(main_window) if role_name(node) == "label" and node.get_name() in "〇一二三四五六七八九"]
    check("the year on the title strip is read as its digits", len(year_digits) == 4)

    # The year list opens from its button as a list of its entries.
    year_button = find(main_window, "push button", "年")
    if year_button is not None and press(year_button):
        year_list = wait_for(lambda: find(main_window, "list", "年の一覧"), 10)
        if check("the year button opens a list named 年の一覧", year_list is not None):
            entries = [year_list.get_child_at_index(i) for i in range(year_list.get_child_count())]
            names = [e.get_name() for e in entries if e is not None]
            if dump_only:
                print("year list entries:", names)
            check("the year list's entries are list items", entries and all(role_name(e) == "list item" for e in entries))
            check("the year list names its years", "一九〇一年" in names and "二一〇〇年" in names)
            selected = [e.get_name() for e in entries
                        if e is not None and e.get_state_set().contains(Atspi.StateType.SELECTED)]
            check("the year list's current entry is selected", len(selected) == 1)
        press(year_button)

    for button_name, title, controls, closer in SETTINGS:
        button = find(main_window, "push button", button_name)
        if not check("settings button %r" % button_name, button is not None):
            continue
        started = time.monotonic()
        came_back = press(button)
        check("pressing %r through its action comes back while its window is open" % button_name, came_back)
        dialog = wait_for(lambda: windows(app).get(title), 30)
        if not check("%r opens the window %r" % (button_name, title), dialog is not None):
            continue
        # The program still answers: the main window's name and the dialog's tree are read
        # while the dialog runs.
        check("the program answers the bus while %r is open" % title, main_window.get_name() == "Qelmarin")
        if dump_only:
            print("--- %s (opened in %.1f s)" % (title, time.monotonic() - started))
            dump(dialog)
        for role, name in controls:
            check("%s: %s %r" % (title, role, name), find(dialog, role, name) is not None)
        close = find(dialog, "push button", closer)
        if check("%s: its %r button" % (title, closer), close is not None):
            check("%s closes through %r" % (title, closer), press(close))
            check("%s is gone after %r" % (title, closer), wait_for(lambda: title not in windows(app), 20) is not None)

    holiday_days(app, main_window, home)

    exit_button = find(main_window, "push button", "終了")
    if exit_button is not None:
        press(exit_button)
        ended = wait_for(lambda: program.poll() is not None, 30)
        check("終了 pressed through its action ends the program", ended)
    if failures:
        print("%d failure(s)" % len(failures), file=sys.stderr)
        return 1
    print("every control found by role and name; the program answered throughout")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
