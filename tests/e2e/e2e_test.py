#!/usr/bin/python3
"""End-to-end test of the real program on a real X display, driven and read only from outside.

Keys and clicks go in with xdotool; what the window shows comes back over the accessibility bus,
as a screen reader reads it, and from the screen's pixels. Runs inside a private D-Bus session
(dbus-run-session) with its own Xvfb; see run_e2e.sh.

Usage: e2e_test.py PATH_TO_VELKORA
"""
import os
import re
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

VELKORA = sys.argv[1]
# Generous: under the sanitizers and beside other tests the program starts several times slower.
TIMEOUT = 15.0
START_TIMEOUT = 60.0
CHECKS = 0


class Failure(Exception):
    pass


def check(condition, message):
    global CHECKS
    CHECKS += 1
    if not condition:
        raise Failure(message)


# Names announced over the bus ("object:property-change:accessible-name"), as (description of
# the object, its name after the change); collected while waiting.
ANNOUNCED = []


def on_name_changed(event):
    try:
        ANNOUNCED.append((event.source.description, fresh(event.source).name))
    except Exception:  # the object may be gone already
        pass


def pump():
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def wait_for(what, probe, timeout=TIMEOUT):
    """Polls probe() until it returns something true; the program's own replies, not sleeps."""
    deadline = time.monotonic() + timeout
    last = None
    while time.monotonic() < deadline:
        pump()
        try:
            last = probe()
        except Exception as error:  # the object may be going away while a box closes
            last = error
        else:
            if last:
                return last
        time.sleep(0.02)
    raise Failure(f"timed out waiting for {what} (last: {last!r})")


def xdotool(*args):
    return subprocess.run(["xdotool", *args], check=True, capture_output=True, text=True,
                          env=os.environ).stdout.strip()


# --- reading the window as a screen reader does ------------------------------------------------

def fresh(acc):
    # pyatspi keeps names and states it has read; ask the program again.
    acc.clear_cache()
    return acc


def walk(acc):
    yield acc
    for i in range(acc.childCount):
        child = acc.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def states(acc):
    return fresh(acc).getState()


def text_of(acc):
    return acc.queryText().getText(0, -1)


# What a screen reader hears of the controls the scenarios use, in each language, with the access
# keys of the first door type and of imperial entry.
TEXTS = {
    "en": {"inches": "Entrance width in inches", "pounds": "Door weight in pounds",
           "millimetres": "Entrance width in millimetres", "kilograms": "Door weight in kilograms",
           "door": "Minimum door close time in seconds", "nudging": "Minimum nudging close time in seconds",
           "door caption": "Minimum Door Close Time in Seconds:",
           "nudging caption": "Minimum Nudging Close Time in Seconds:",
           "calculate": "CALCULATE", "clear": "CLEAR", "side single": "Side Opening Single Speed",
           "side single key": "alt+s", "imperial key": "alt+i"},
    "fr": {"inches": "Largeur de l'entrée en pouces", "pounds": "Masse des portes en livres",
           "millimetres": "Largeur de l'entrée en millimètres", "kilograms": "Masse des portes en kilogrammes",
           "door": "Temps minimal de fermeture des portes en secondes",
           "nudging": "Temps minimal de fermeture forcée en secondes",
           "door caption": "Temps minimal de fermeture (s)\u00a0:",
           "nudging caption": "Temps minimal de fermeture forcée (s)\u00a0:",
           "calculate": "CALCULER", "clear": "EFFACER", "side single": "Ouverture latérale à\u00a0une\u00a0vitesse",
           "side single key": "alt+l", "imperial key": "alt+i"},
    "es": {"inches": "Ancho de la entrada en pulgadas", "pounds": "Peso de las puertas en libras",
           "millimetres": "Ancho de la entrada en milímetros", "kilograms": "Peso de las puertas en kilogramos",
           "door": "Tiempo mínimo de cierre de puertas en segundos",
           "nudging": "Tiempo mínimo de cierre forzado en segundos",
           "door caption": "Tiempo mínimo de cierre de puertas (s):",
           "nudging caption": "Tiempo mínimo de cierre forzado (s):",
           "calculate": "CALCULAR", "clear": "BORRAR", "side single": "Apertura lateral de una\u00a0velocidad",
           "side single key": "alt+l", "imperial key": "alt+i"},
}


class Window:
    """The running program, seen through the accessibility bus and the X server."""

    def __init__(self, env, log, language="en"):
        self.texts = TEXTS[language]
        self.log = log
        self.process = subprocess.Popen([VELKORA], env=env, stdout=subprocess.DEVNULL,
                                        stderr=open(log, "w"))

    def start(self):
        self.app = wait_for("the program on the accessibility bus", self._find_app, START_TIMEOUT)
        self.frame = wait_for("its window", lambda: self._top_level(" Velkora"))
        self.xid = wait_for("its X window", lambda: xdotool("search", "--all", "--onlyvisible", "--pid",
                                                              str(self.process.pid), "--name", "Velkora"))
        self.xid = self.xid.split()[0]
        self.widgets = list(walk(self.frame))
        self.boxes = {self.texts[unit]: self.by("text", self.texts[unit])
                      for unit in ("inches", "pounds", "millimetres", "kilograms")}
        self.results = {what: self.by("label", description=self.texts[what]) for what in ("door", "nudging")}
        self.captions = {what: self.texts[f"{what} caption"] for what in ("door", "nudging")}
        self.activate()

    def _find_app(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == self.process.pid:
                return app
        return None

    def _top_level(self, title_start):
        for i in range(fresh(self.app).childCount):
            child = self.app.getChildAtIndex(i)
            if child is not None and fresh(child).name.startswith(title_start):
                return child
        return None

    def by(self, role, name=None, description=None):
        for acc in self.widgets:
            if acc.getRoleName() == role and (name is None or acc.name == name) and \
                    (description is None or acc.description == description):
                return acc
        raise Failure(f"no {role} named {name!r} described {description!r}")

    def activate(self):
        # No window manager: nothing gives the window the input focus but us.
        xdotool("windowfocus", "--sync", self.xid)

    def close(self):
        self.process.terminate()
        self.process.wait(timeout=10)

    def stderr(self):
        with open(self.log) as f:
            return f.read()[-3000:]

    # What the user sees.
    def box(self, name):
        return text_of(self.boxes[name])

    def result(self, what):
        # An empty result reads as its caption; a shown one as its value.
        name = fresh(self.results[what]).name
        return "" if name == self.captions[what] else name

    def focused(self):
        for acc in self.widgets:
            if states(acc).contains(pyatspi.STATE_FOCUSED):
                return acc.name
        return None

    def checked(self, name):
        return states(self.by("radio button", name)).contains(pyatspi.STATE_CHECKED)

    def editable(self, name):
        return not states(self.boxes[name]).contains(pyatspi.STATE_READ_ONLY)

    def extents(self, acc):
        return acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)

    # What the user does.
    def keys(self, *keys):
        xdotool("key", "--delay", "10", *keys)

    def type(self, text):
        xdotool("type", "--delay", "10", text)

    def click(self, role, name):
        e = self.extents(self.by(role, name))
        xdotool("mousemove", str(e.x + 8), str(e.y + e.height // 2), "click", "1")

    # Waiting on the program's replies.
    def wait_focus(self, name):
        wait_for(f"focus on {name!r}", lambda: self.focused() == name)

    def wait_box(self, name, text):
        wait_for(f"{name!r} to read {text!r}", lambda: self.box(name) == text)

    def wait_results(self, close, nudging):
        wait_for(f"results {close!r} and {nudging!r}",
                 lambda: (self.result("door"), self.result("nudging")) == (close, nudging))

    def message_box(self):
        box = wait_for("a message box", lambda: self._top_level_other())
        labels = [acc for acc in walk(box) if acc.getRoleName() == "label"]
        texts = [fresh(acc).name for acc in labels if fresh(acc).name]
        has_icon = any(acc.getRoleName() in ("image", "icon") for acc in walk(box))
        return box.name, texts, has_icon

    def _top_level_other(self):
        for i in range(fresh(self.app).childCount):
            child = self.app.getChildAtIndex(i)
            if child is not None and not fresh(child).name.startswith(" Velkora"):
                return child
        return None

    def answer_message_box(self, title):
        xid = wait_for(f"the {title!r} box on screen",
                       lambda: xdotool("search", "--all", "--onlyvisible", "--pid", str(self.process.pid),
                                       "--name", f"^{re.escape(title)}$"))
        xdotool("windowfocus", "--sync", xid.split()[0])
        self.keys("Return")
        wait_for("the box to close", lambda: self._top_level_other() is None)
        self.activate()


# --- the scenarios ----------------------------------------------------------------------------

IMPERIAL_TAB = ["Entrance width in inches", "Door weight in pounds", "CALCULATE", "CLEAR",
                "Side Opening Single Speed", "Imperial", "Entrance width in inches"]
METRIC_TAB = ["Entrance width in millimetres", "Door weight in kilograms", "CALCULATE", "CLEAR",
              "Side Opening Single Speed", "Metric", "Entrance width in millimetres"]


def tab_order(w, expected):
    w.wait_focus(expected[0])
    for name in expected[1:]:
        w.keys("Tab")
        w.wait_focus(name)


def startup(w):
    w.wait_focus("Entrance width in inches")
    check(w.checked("Imperial") and not w.checked("Metric"), "imperial entry at start")
    check(w.editable("Entrance width in inches") and not w.editable("Entrance width in millimetres"),
          "imperial boxes editable, metric locked")
    check(all(w.box(name) == "" for name in w.boxes), "boxes empty at start")
    check((w.result("door"), w.result("nudging")) == ("", ""), "results empty at start")


def road_of_one_calculation(w):
    t = w.texts
    w.wait_focus(t["inches"])
    w.type("42")
    w.wait_box(t["inches"], "42")
    w.keys("Tab")
    w.wait_focus(t["pounds"])
    w.type("400")
    w.wait_box(t["pounds"], "400")
    w.keys(t["side single key"])
    w.wait_focus(t["calculate"])
    check(w.checked(t["side single"]), f"{t['side single key']} selects side opening single speed")
    ANNOUNCED.clear()
    w.keys("Return")
    w.wait_results("2.98", "4.97")
    # A screen reader hears of both new values.
    wait_for("the new results announced", lambda: {(t["door"], "2.98"), (t["nudging"], "4.97")} <= set(ANNOUNCED))
    check(w.box(t["millimetres"]) == "1066.8", "1066.8 mm")
    check(w.box(t["kilograms"]) == "181.437", "181.437 kg")
    w.wait_focus(t["clear"])


def pixels(shot, x, y, width, height):
    out = subprocess.run(["convert", shot, "-crop", f"{width}x{height}+{x}+{y}", "+repage",
                          "-depth", "8", "txt:-"], check=True, capture_output=True, text=True).stdout
    for line in out.splitlines()[1:]:
        rgb = line.split("(", 1)[1].split(")", 1)[0].split(",")
        yield tuple(int(float(v)) for v in rgb[:3])


def colours_on_screen(w, scratch):
    shot = os.path.join(scratch, "screen.png")
    subprocess.run(["import", "-window", "root", shot], check=True, env=os.environ)

    def inside(name):
        e = w.extents(w.boxes[name])
        return list(pixels(shot, e.x + e.width - 12, e.y + e.height // 2, 4, 4))

    check(all(p == (255, 255, 0) for p in inside("Entrance width in millimetres")), "yellow mm box")
    check(all(p == (255, 255, 0) for p in inside("Door weight in kilograms")), "yellow kg box")
    check(all(p == (255, 255, 255) for p in inside("Entrance width in inches")), "white inch box")

    def red_pixels(role, name):
        e = w.extents(w.by(role, name))
        return sum(1 for r, g, b in pixels(shot, e.x, e.y, e.width, e.height) if r > 200 and g < 80 and b < 80)

    check(red_pixels("radio button", "Imperial") > 10, "red Imperial caption")
    check(red_pixels("radio button", "Side Opening Single Speed") > 10, "red door type caption")
    check(red_pixels("radio button", "Metric") == 0, "black Metric caption")
    check(red_pixels("radio button", "Side Opening Two Speed") == 0, "black unused door type")


def clear(w):
    w.keys("space")  # on the focused CLEAR
    wait_for("boxes emptied", lambda: all(w.box(name) == "" for name in w.boxes))
    check(not w.checked("Side Opening Single Speed"), "no door type after Clear")
    check((w.result("door"), w.result("nudging")) == ("", ""), "results empty after Clear")
    w.wait_focus("CLEAR")


def metric_road(w):
    w.click("radio button", "Metric")
    w.wait_focus("Entrance width in millimetres")
    check(w.checked("Metric") and not w.checked("Imperial"), "metric entry")
    check(w.editable("Entrance width in millimetres") and not w.editable("Door weight in pounds"),
          "metric boxes editable, imperial locked")
    tab_order(w, METRIC_TAB)
    w.type("1067")
    w.keys("Tab")
    w.type("181")
    w.wait_box("Door weight in kilograms", "181")
    w.click("radio button", "Side Opening Single Speed")
    w.wait_focus("CALCULATE")
    w.keys("Return")
    w.wait_results("2.98", "4.97")
    check(w.box("Entrance width in inches") == "42.008", "42.008 in")
    check(w.box("Door weight in pounds") == "399.037", "399.037 lb")
    w.keys("alt+i")
    w.wait_focus("Entrance width in inches")
    w.wait_results("", "")
    check(w.box("Entrance width in inches") == "42.008", "inches kept after the switch")


def message_boxes(w):
    cases = [
        ("", "", None, "Door Type", "Please select a door type.", True,
         {"Entrance width in millimetres": "0", "Door weight in kilograms": "0"}, "Door weight in pounds"),
        ("abc", "400", "alt+t", "Numbers Only", "Please enter a number in both fields.", True,
         {"Entrance width in inches": ""}, "Entrance width in inches"),
        ("42", "1E400", "alt+c", "What'd you do?", "An error has occurred...please continue working.", False,
         {"Entrance width in millimetres": "1066.8", "Door weight in kilograms": ""}, "CALCULATE"),
    ]
    for width, weight, door, title, text, icon, boxes, focus in cases:
        w.keys("alt+l")
        w.keys("alt+i")
        w.wait_focus("Entrance width in inches")
        w.type(width)
        w.keys("Tab")
        w.type(weight)
        w.wait_box("Door weight in pounds", weight)
        if door:
            w.keys(door)
            w.wait_focus("CALCULATE")
        w.keys("Return")
        shown_title, texts, has_icon = w.message_box()
        check(shown_title == title, f"message box title {shown_title!r}")
        check(text in texts, f"message box text {texts!r}")
        check(has_icon == icon, f"{title!r} icon shown: {has_icon}")
        w.answer_message_box(title)
        for name, value in boxes.items():
            w.wait_box(name, value)
        w.wait_focus(focus)
        check((w.result("door"), w.result("nudging")) == ("", ""), "no results after a message box")


def data_plate_heard(w):
    # A row added from the form's context menu by keys, the plate opened by Ctrl+D: a screen
    # reader meets its row in a table.
    w.keys("alt+l")
    w.keys("alt+i")
    road_of_one_calculation(w)
    w.keys("shift+F10")
    time.sleep(0.3)  # the menu opens on the first command; Enter chooses it
    w.keys("Return")
    w.keys("ctrl+d")
    plate = wait_for("the data plate's window", lambda: w._top_level("Data Plate"))
    cells = wait_for("its row read out", lambda: [fresh(acc).name for acc in walk(plate)
                                                  if acc.getRoleName() == "table cell"] or None)
    check({"Side Opening Single Speed", "1066.8", "181.437", "2.98", "4.97"} <= set(cells), f"the plate's row: {cells!r}")


def main():
    base = {k: v for k, v in os.environ.items() if k != "AT_SPI_BUS_ADDRESS"}
    base.update(QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb", LC_ALL="C.UTF-8")
    started = time.monotonic()
    pyatspi.Registry.registerEventListener(on_name_changed, "object:property-change:accessible-name")
    with tempfile.TemporaryDirectory() as scratch:
        # German is not one of its languages: English, with a decimal comma all round. French
        # (a decimal comma too) from the locale, Spanish from LANG and from LANGUAGE.
        runs = [
            ("C.UTF-8, scale 1", {}, "en", True),
            ("de_DE.UTF-8", {"LC_ALL": "de_DE.UTF-8"}, "en", False),
            ("fr_FR.UTF-8", {"LC_ALL": "fr_FR.UTF-8"}, "fr", False),
            ("LANG=es_MX.UTF-8", {"LC_ALL": "", "LANG": "es_MX.UTF-8"}, "es", False),
            ("LANGUAGE=es_419:en", {"LANGUAGE": "es_419:en"}, "es", False),
            ("scale 2", {"QT_SCALE_FACTOR": "2"}, "en", False),
        ]
        for label, extra, language, whole in runs:
            w = Window({**base, **extra}, os.path.join(scratch, "stderr.txt"), language)
            try:
                w.start()
                if whole:
                    startup(w)
                    tab_order(w, IMPERIAL_TAB)
                    road_of_one_calculation(w)
                    colours_on_screen(w, scratch)
                    clear(w)
                    metric_road(w)
                    message_boxes(w)
                    data_plate_heard(w)
                else:
                    road_of_one_calculation(w)
                    if "QT_SCALE_FACTOR" in extra:
                        size = xdotool("getwindowgeometry", w.xid)
                        check("1220x634" in size, f"window at 200 %: {size}")
                print(f"ok: {label}")
            except Failure as failure:
                print(f"FAIL: {label}: {failure}")
                print(f"the program's own messages:\n{w.stderr()}")
                return 1
            finally:
                w.close()
    print(f"{CHECKS} checks passed in {time.monotonic() - started:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
