#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

class QWidget;

namespace atelier {

// The questions the design host asks a person; tests answer them from a script.
class DialoguesAtelier {
public:
    virtual ~DialoguesAtelier() = default;
    // Empty when the person cancels.
    virtual QString fichierAOuvrir(QWidget* parent) = 0;
    virtual QString fichierAEnregistrer(QWidget* parent) = 0;
    virtual QString imageAOuvrir(QWidget* parent) = 0;
    virtual std::optional<QColor> couleur(QWidget* parent, const QColor& initiale) = 0;
    virtual std::optional<QFont> police(QWidget* parent, const QFont& initiale) = 0;
    virtual void erreur(QWidget* parent, const QString& texte) = 0;
};

// Qt's own file, colour and font dialogs and message box.
class DialoguesQt final : public DialoguesAtelier {
public:
    QString fichierAOuvrir(QWidget* parent) override;
    QString fichierAEnregistrer(QWidget* parent) override;
    QString imageAOuvrir(QWidget* parent) override;
    std::optional<QColor> couleur(QWidget* parent, const QColor& initiale) override;
    std::optional<QFont> police(QWidget* parent, const QFont& initiale) override;
    void erreur(QWidget* parent, const QString& texte) override;
};

} // namespace atelier
