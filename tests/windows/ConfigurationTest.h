#pragma once

#include "windows/ApercuCheque.h"
#include "FenetreTest.h"
#include "settings/FichierIni.h"
#include "windows/FrmConfigure.h"
#include "windows/ListesTriees.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <map>
#include <string>

// The configuration window opened from the main window's menu, over a folder
// prepared by each test.
class ConfigurationTest : public FenetreTest {
protected:
    QPointer<FrmConfigure> configuration;

    // A settings section with sensible values; `autres` replaces or adds keys.
    static QByteArray section(int choix, const std::map<std::string, std::string>& autres = {}) {
        std::map<std::string, std::string> cles{{"Imprimante", "Bureau"},
                                                {"Orientation", " 1"},
                                                {"Police", "Arial"},
                                                {"Taille", " 10"},
                                                {"TailleChiffre", " 10"},
                                                {"ChoixTailleChiffre", " 0"},
                                                {"Gras", " 0"},
                                                {"MargeHaute", " 0"},
                                                {"MargeDroite", " 0"},
                                                {"Montant", ""},
                                                {"Ledestinataire", ""},
                                                {"Raccourci", " 116"},
                                                {"Minimise", " 0"},
                                                {"Emission", " 0"},
                                                {"Journal", " 0"},
                                                {"D\xe9"
                                                 "biteur",
                                                 " 0"},
                                                {"Encadrer", " 0"},
                                                {"Revenir", " 0"},
                                                {"RevenirDest", " 0"},
                                                {"Devise", "euro"},
                                                {"Centimes", "centime"},
                                                {"Liaison", "et"},
                                                {"EcrireCent", " 0"}};
        for (const auto& [cle, valeur] : autres)
            cles[cle] = valeur;
        QByteArray texte = "[Defaut" + QByteArray::number(choix) + "]\r\n";
        for (const auto& [cle, valeur] : cles)
            texte += QByteArray::fromStdString(cle + "=" + valeur + "\r\n");
        return texte;
    }

    void ouvrir() {
        fenetre->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(fenetre.get()));
        plateforme.dialogues.vus.clear();
        controle<QAction>("mnuConfigure")->trigger();
        configuration = ouverte();
        ASSERT_NE(configuration, nullptr);
        activer();
    }

    static FrmConfigure* ouverte() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* f = qobject_cast<FrmConfigure*>(w); f && f->isVisible())
                return f;
        return nullptr;
    }

    void activer() {
        QEvent activation(QEvent::WindowActivate);
        QApplication::sendEvent(configuration, &activation);
    }

    template <typename T> T* c(const char* nom) const {
        T* w = configuration->findChild<T*>(QLatin1String(nom));
        EXPECT_NE(w, nullptr) << nom;
        return w;
    }
    QComboBox* liste(const char* nom) const { return c<QComboBox>(nom); }
    QCheckBox* coche(const char* nom) const { return c<QCheckBox>(nom); }
    QLineEdit* boiteTexte(const char* nom) const { return c<QLineEdit>(nom); }
    QRadioButton* optChoix(int i) const {
        return c<QRadioButton>(i == 0 ? "optChoix0" : "optChoix1");
    }
    ApercuCheque* cheque() const { return c<ApercuCheque>("PctCB"); }
    // Clicks near the left edge, on the box and its caption rather than the
    // empty end of a wide button.
    static void clic(QWidget* w) {
        QTest::mouseClick(w, Qt::LeftButton, {},
                          QPoint(std::min(8, w->width() / 2), w->height() / 2));
    }
    void cliquer(const char* nom) const { clic(c<QAbstractButton>(nom)); }
    void choisir(int i) const { clic(optChoix(i)); }

    // A mouse event on the cheque at a point of the sheet, in millimetres.
    void souris(QEvent::Type type, QPointF feuilleMm, Qt::MouseButton bouton,
                Qt::MouseButtons boutons) const {
        ApercuCheque* cb = cheque();
        const QPointF local = feuilleMm * ApercuCheque::pixelsParMm(cb) - QPointF(cb->pos());
        QMouseEvent e(type, local, cb->mapToGlobal(local), bouton, boutons, Qt::NoModifier);
        QApplication::sendEvent(cb, &e);
    }
    void glisser(QPointF depart, QPointF arrivee) const {
        souris(QEvent::MouseButtonPress, depart, Qt::LeftButton, Qt::LeftButton);
        souris(QEvent::MouseMove, arrivee, Qt::NoButton, Qt::LeftButton);
        souris(QEvent::MouseButtonRelease, arrivee, Qt::LeftButton, Qt::NoButton);
    }

    QStringList messages() const { return plateforme.dialogues.textes(); }
    QString choixCfg() const { return QString::fromLatin1(lire("Choix.cfg")); }
    QString lireCle(const char* section, const char* cle) const {
        return LireIni(QLatin1String(section), QLatin1String(cle), chemin("Cheque.ini"));
    }
};
