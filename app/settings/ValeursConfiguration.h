#pragma once

#include <QString>

#include <optional>

// What the configuration window holds when its settings are saved.
struct ValeursConfiguration {
    QString imprimante;                   // CboPrint
    QString police;                       // CboPolices
    QString taille;                       // CboTaille
    bool portrait = true;                 // Opt1
    bool gras = false;                    // ChkG
    bool minimise = false;                // ChkM
    bool ignorerLieu = false;             // ChkL
    bool journal = false;                 // ChkJ
    bool debiteur = false;                // ChkD
    bool encadrer = false;                // ChkE
    bool revenir = false;                 // ChkDef
    bool revenirDest = false;             // ChkDefDest
    bool sansCentimesNuls = false;        // Chkcent
    bool tailleChiffreMinimum = false;    // ChkTC1
    bool tailleChiffreFixe = false;       // ChkTC2
    std::optional<QString> tailleChiffre; // the selected entry of CboTChiffre, if any
    QString montant;                      // CboM of the configuration window
    QString destinataire;                 // CboD of the configuration window
    int variante = 0;                     // CboVariante: 0 France, 1 Belgique, 2 Suisse
    int orthographe = 0;                  // CboOrthographe: 0 traditional, 1 the 1990 spelling
    bool completerLigne = false;          // ChkCompleter
};
