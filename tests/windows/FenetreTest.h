#pragma once

#include "windows/AppScribane.h"
#include "windows/FrmCB.h"
#include "PlateformeTest.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

// A main window over a folder of its own, with scripted dialogs.
class FenetreTest : public ::testing::Test {
protected:
    QTemporaryDir dossier;
    PlateformeTest plateforme;
    std::unique_ptr<AppScribane> app;
    std::unique_ptr<FrmCB> fenetre;

    QString chemin(const char* nom) const { return dossier.filePath(QLatin1String(nom)); }

    void ecrire(const char* nom, const QByteArray& octets) const {
        QFile f(chemin(nom));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(octets);
    }

    QByteArray lire(const char* nom) const {
        QFile f(chemin(nom));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QString bibliotheque; // the control library to register; empty: the one beside the tests

    void demarrer() {
        app = std::make_unique<AppScribane>(dossier.path(), plateforme.services());
        app->bibliothequeControle = bibliotheque;
        fenetre = std::make_unique<FrmCB>(*app);
        fenetre->demarrer();
    }

    // Choice 1 in use with this Cheque.ini, the window shown.
    void demarrerSurChoix1(const QByteArray& chequeIni) {
        ecrire("Cheque.ini", chequeIni);
        ecrire("Choix.cfg", "1,1\r\n");
        demarrer();
        fenetre->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(fenetre.get()));
    }

    template <typename T> T* controle(const char* nom) const {
        T* c = fenetre->findChild<T*>(QLatin1String(nom));
        EXPECT_NE(c, nullptr) << nom;
        return c;
    }
    QComboBox* boite(const char* nom) const { return controle<QComboBox>(nom); }
    QString texte(const char* nom) const { return controle<QLabel>(nom)->text(); }
    QStringList entrees(const char* nom) const {
        QStringList l;
        for (int i = 0; i < boite(nom)->count(); ++i)
            l.append(boite(nom)->itemText(i));
        return l;
    }
    bool rafraichirActif() const {
        return controle<QMenu>("mnuRafraichir")->menuAction()->isEnabled();
    }
};
