#!/usr/bin/env python3
"""Draws cheque.png, the cheque shown in the configuration window, with
ImageMagick: 175 x 80 mm at 4 pixels a millimetre. Each field sits where the
text prints with every position at 0 (text tops in millimetres from the
cheque's corner: words 50,15 then 0,15 + one line; figures 130,25; payee
20,26; place 125,33; date 129,38)."""

import subprocess
import sys

S = 4
F = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf"
FB = "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf"


def p(v):
    return round(v * S, 1)


L = ["fill none stroke '#c5d8e6' stroke-width 1.5"]
for y in (12, 26, 40, 54, 62):
    points = " ".join(f"{p(x)},{round(p(y) + (6 if (x // 10) % 2 else -6), 1)}"
                      for x in range(0, 176, 5))
    L.append(f"polyline {points}")
L.append("fill '#ffffff' stroke none")
L.append(f"rectangle 0,{p(67)} {p(175)},{p(80)}")


def texte(x, y, s, taille, police=F, couleur="#2d3b4a"):
    s = s.replace("'", "\\'")
    L.append(f"fill '{couleur}' stroke none font '{police}' font-size {taille}")
    L.append(f"text {p(x)},{p(y)} '{s}'")


def ligne(x1, x2, y):
    L.append("fill none stroke '#7f8c99' stroke-width 1.6")
    L.append(f"line {p(x1)},{p(y)} {p(x2)},{p(y)}")


texte(4, 8, "BANQUE EXEMPLE - AGENCE", 20, FB, "#23407a")
texte(4, 18.6, "Payez contre ce chèque", 12)
ligne(49, 172, 19.6)
ligne(2, 118, 24.6)
texte(3, 29.6, "à l'ordre de", 12)
ligne(19.5, 118, 30.6)
L.append("fill '#ffffff' stroke '#4a5866' stroke-width 2")
L.append(f"roundrectangle {p(124)},{p(22.5)} {p(173)},{p(31.5)} 6,6")
texte(125.3, 29.2, "€", 16, FB)
texte(120.5, 36.6, "à", 11)
ligne(124.5, 172, 37.2)
texte(123.2, 41.2, "le", 11)
ligne(128.5, 172, 41.8)
texte(4, 46, "M. ou Mme TITULAIRE", 11)
texte(4, 50.5, "12 rue des Lilas 75000 PARIS", 11)
L.append("fill '#fbfdff' stroke '#7f8c99' stroke-width 1.2 stroke-dasharray 4 3")
L.append(f"rectangle {p(124)},{p(45)} {p(172)},{p(63)}")
L.append("stroke-dasharray")
texte(141, 61.5, "Signature", 9, F, "#7f8c99")
texte(14, 75.5, "#0000123#   012345678901#   000012#", 17, F, "#222222")

sortie = sys.argv[1] if len(sys.argv) > 1 else "cheque.png"
subprocess.run(["convert", "-size", f"{p(175):.0f}x{p(80):.0f}",
                "gradient:#f5f9fc-#dbe8f1", "-draw", "\n".join(L),
                "-fill", "none", "-stroke", "#5a6a7a", "-strokewidth", "2",
                "-draw", "rectangle 1,1 698,318", sortie], check=True)
