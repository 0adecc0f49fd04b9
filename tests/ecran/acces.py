"""Drives the real program under X through the accessibility tree: controls
are found by role and accessible name, and clicked at their screen extents
with xdotool, as a person would."""

import subprocess
import time

import pyatspi


class Introuvable(Exception):
    pass


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


def applications():
    bureau = pyatspi.Registry.getDesktop(0)
    return [bureau.getChildAtIndex(i) for i in range(bureau.childCount)]


def _parcourir(noeud, profondeur=0):
    yield noeud
    if profondeur > 14:
        return
    try:
        n = noeud.childCount
    except Exception:
        return
    for i in range(n):
        try:
            enfant = noeud.getChildAtIndex(i)
        except Exception:
            continue
        if enfant is not None:
            yield from _parcourir(enfant, profondeur + 1)


def etendue(noeud):
    try:
        e = noeud.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return e.x, e.y, e.width, e.height
    except Exception:
        return 0, 0, 0, 0


def visible(noeud):
    _, _, l, h = etendue(noeud)
    return l > 0 and h > 0


def chercher(role, nom=None, contient=None, racine=None, visibles=True):
    """All nodes of the role whose name is nom (or contains contient)."""
    trouves = []
    racines = [racine] if racine is not None else applications()
    for r in racines:
        for noeud in _parcourir(r):
            try:
                if noeud.getRoleName() != role:
                    continue
                n = noeud.name or ""
                d = noeud.description or ""
            except Exception:
                continue
            # A list may be named after its current entry: its description
            # keeps what it is for.
            if nom is not None and nom not in (n, d):
                continue
            if contient is not None and contient not in n:
                continue
            if visibles and not visible(noeud):
                continue
            trouves.append(noeud)
    return trouves


def attendre(role, nom=None, contient=None, delai=20.0, racine=None):
    fin = time.monotonic() + delai
    while time.monotonic() < fin:
        trouves = chercher(role, nom, contient, racine)
        if trouves:
            return trouves[0]
        time.sleep(0.2)
    raise Introuvable(f"{role} « {nom or contient} » n'apparaît pas en {delai} s")


def attendre_absence(role, nom=None, contient=None, delai=20.0):
    fin = time.monotonic() + delai
    while time.monotonic() < fin:
        if not chercher(role, nom, contient):
            return
        time.sleep(0.2)
    raise Introuvable(f"{role} « {nom or contient} » ne disparaît pas en {delai} s")


def cliquer(noeud):
    x, y, l, h = etendue(noeud)
    if l <= 0 or h <= 0:
        raise Introuvable(f"« {noeud.name} » n'est pas à l'écran")
    xdotool("mousemove", str(x + l // 2), str(y + h // 2))
    time.sleep(0.1)
    xdotool("click", "1")


def touches(*noms):
    xdotool("key", "--delay", "60", *noms)


def taper(texte):
    xdotool("type", "--delay", "60", texte)


def texte(noeud):
    try:
        t = noeud.queryText()
        return t.getText(0, t.characterCount)
    except Exception:
        return noeud.name or ""
