"""The real program on a real X display, as a new user meets it: first run,
the configuration window saved and left both ways, an amount typed by keys,
a cheque printed with the shortcut key on the test print queue, the journal,
quitting. Any crash or hang fails it.

Usage: fumee.py PROGRAM_FOLDER PDF_FOLDER PRINTER"""

import datetime
import glob
import os
import subprocess
import sys
import time

from acces import (attendre, attendre_absence, chercher, cliquer, texte,
                   taper, touches, Introuvable)

dossier, dossier_pdf, imprimante = sys.argv[1:4]
programme = subprocess.Popen([os.path.join(dossier, "scribane")],
                             stdout=open(os.path.join(dossier, "scribane.log"), "w"),
                             stderr=subprocess.STDOUT)


def vivant(etape):
    if programme.poll() is not None:
        raise SystemExit(f"ÉCHEC : Scribane s'est arrêté ({programme.returncode}) {etape}")
    print(f"ok : {etape}", flush=True)


def fermer_messages(attendus=None):
    """Closes the message boxes shown, returns their texts."""
    vus = []
    time.sleep(0.8)
    while True:
        boites = chercher("alert") + chercher("dialog")
        if not boites:
            break
        vus.append(" ".join(texte(l) for l in chercher("label", racine=boites[0])))
        boutons = chercher("push button", "OK", racine=boites[0])
        if not boutons:
            raise SystemExit(f"ÉCHEC : message sans bouton OK : {vus[-1]}")
        cliquer(boutons[0])
        time.sleep(0.8)
    if attendus is not None and len(vus) < attendus:
        raise SystemExit(f"ÉCHEC : {attendus} message(s) attendu(s), vus : {vus}")
    return vus


def choisir(liste, valeur):
    cliquer(attendre("combo box", liste))
    time.sleep(1.0)
    taper(valeur)
    time.sleep(0.3)
    touches("Return")
    time.sleep(0.5)
    boite = attendre("combo box", liste)
    if boite.name != valeur:
        raise SystemExit(f"ÉCHEC : « {liste} » montre « {boite.name} » au lieu de « {valeur} »")


def ouvrir_configuration():
    cliquer(attendre("menu item", "Configuration et Options"))
    attendre("push button", "Quitter et appliquer le choix")
    time.sleep(0.5)
    vivant("fenêtre de configuration ouverte")


debut = time.monotonic()
premiers = fermer_messages(attendus=1)
print("premier lancement :", premiers)
vivant("premier lancement")

ouvrir_configuration()
cliquer(attendre("radio button", contient="Choix 1"))
time.sleep(1)
choisir("Imprimantes", imprimante)
choisir("Polices de caractères", "Liberation Sans")
choisir("Taille police textes et / ou chiffres", "12")
cliquer(attendre("check box", "Tenir un journal"))
cliquer(attendre("push button", "Enregistrer le choix"))
messages = fermer_messages(attendus=1)
if not any("Choix 1 enregistré." in m for m in messages):
    raise SystemExit(f"ÉCHEC : pas de confirmation d'enregistrement : {messages}")
vivant("choix 1 enregistré")
cliquer(attendre("push button", "Quitter et appliquer le choix"))
attendre_absence("push button", "Quitter et appliquer le choix")
time.sleep(1)
vivant("sortie par « Quitter et appliquer le choix »")

ouvrir_configuration()
cliquer(attendre("push button", "Annuler"))
attendre_absence("push button", "Annuler")
time.sleep(1)
vivant("sortie par « Annuler »")

# The amount typed key by key: the point becomes the decimal comma.
montant = attendre("combo box", "Montant du chèque")
cliquer(montant)
time.sleep(0.3)
touches("ctrl+a", "BackSpace")
taper("12.5")
time.sleep(0.5)
saisi = texte(chercher("text", racine=montant)[0])
if saisi != "12,5":
    raise SystemExit(f"ÉCHEC : la boîte du montant lit « {saisi} » au lieu de « 12,5 »")
vivant("montant tapé au clavier : 12,5")

cliquer(attendre("combo box", "Destinataire du chèque"))
time.sleep(0.3)
taper("Dupont Fumee")
cliquer(attendre("combo box", "Fait à :"))
time.sleep(0.3)
taper("Paris")
time.sleep(0.3)
avant = set(glob.glob(os.path.join(dossier_pdf, "*.pdf")))
touches("F5")
fermer_messages()
vivant("impression par F5")

pdf = None
fin = time.monotonic() + 60
while time.monotonic() < fin and pdf is None:
    nouveaux = set(glob.glob(os.path.join(dossier_pdf, "*.pdf"))) - avant
    for f in nouveaux:
        # cups-pdf writes the file and then closes it: wait for a whole one.
        if subprocess.run(["pdfinfo", f], capture_output=True).returncode == 0:
            pdf = f
    time.sleep(0.5)
if pdf is None:
    raise SystemExit("ÉCHEC : aucun PDF imprimé en 60 s")
lu = " ".join(subprocess.run(["pdftotext", pdf, "-"], capture_output=True,
                             text=True).stdout.split())
for attendu in ("DOUZE EUROS et CINQUANTE CENTIMES", "12,50", "Dupont Fumee", "Paris"):
    if attendu not in lu:
        raise SystemExit(f"ÉCHEC : « {attendu} » absent du PDF : {lu}")
vivant("PDF lu : " + lu)

journal = os.path.join(dossier, "Journaux",
                       datetime.date.today().strftime("Journal_%Y_%m_%d.txt"))
contenu = open(journal, encoding="cp1252").read() if os.path.exists(journal) else ""
if "12,50" not in contenu or "Dupont Fumee" not in contenu:
    raise SystemExit(f"ÉCHEC : journal incomplet : {contenu!r}")
vivant("journal écrit")

cliquer(attendre("push button", "Quitter"))
try:
    code = programme.wait(timeout=20)
except subprocess.TimeoutExpired:
    programme.kill()
    raise SystemExit("ÉCHEC : Scribane ne se ferme pas")
if code != 0:
    raise SystemExit(f"ÉCHEC : Scribane s'est terminé avec le code {code}")
ini = open(os.path.join(dossier, "Cheque.ini"), encoding="cp1252").read()
if "Dupont Fumee" not in ini:
    raise SystemExit("ÉCHEC : le destinataire n'a pas été gardé dans Cheque.ini")
print(f"1 passed, 0 failed: parcours complet en {time.monotonic() - debut:.1f} s")
