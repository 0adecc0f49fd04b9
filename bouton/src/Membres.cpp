#include "Membres.h"

#include "bouton/Identites.h"
#include <iterator>

namespace bouton {

namespace {

using enum Acces;
namespace m = membre;

const Membre membres[] = {
    {m::Enabled, "Enabled", LectureEcriture,
     "Renvoie ou définit une valeur qui détermine si un objet peut répondre aux événements "
     "générés par l'utilisateur."},
    {m::MouseIcon, "MouseIcon", LectureEcriture, "Définit une icône de souris personnalisée."},
    {m::MousePointer, "MousePointer", LectureEcriture,
     "Renvoie ou définit le type de pointeur de souris affiché lorsque la souris se trouve sur "
     "une partie d'un objet."},
    {m::Picture, "Picture", LectureEcriture,
     "Renvoie ou définit un graphique à afficher dans un contrôle."},
    {m::Stretch, "Stretch", LectureEcriture,
     "Renvoie ou définit une valeur qui détermine si un graphique est redimensionné pour "
     "s'adapter à la taille du contrôle."},
    {m::ToolTipText, "ToolTipText", LectureEcriture,
     "Renvoie ou définit le texte affiché lorsque la souris s'arrête sur le contrôle."},
    {m::Hwnd, "hwnd", Lecture, "Renvoie le handle de la fenêtre du contrôle."},
    {m::BackColor, "BackColor", LectureEcriture,
     "Renvoie ou définit la couleur d'arrière-plan utilisée pour afficher le texte et les "
     "graphiques dans un objet."},
    {m::BackColorOver, "BackColorOver", LectureEcriture,
     "Renvoie ou définit la couleur d'arrière-plan du contrôle survolé ou enfoncé."},
    {m::BorderStyle, "BorderStyle", LectureEcriture,
     "Renvoie ou définit le style de bordure d'un objet."},
    {m::BordColSombre, "BordColSombre", LectureEcriture,
     "Renvoie ou définit la couleur du côté sombre de la bordure."},
    {m::Bord1ColClair, "Bord1ColClair", LectureEcriture,
     "Renvoie ou définit la couleur du côté clair supérieur de la bordure."},
    {m::Bord2ColClair, "Bord2ColClair", LectureEcriture,
     "Renvoie ou définit la couleur du côté clair gauche de la bordure."},
    {m::BorderWidth, "BorderWidth", LectureEcriture,
     "Renvoie ou définit la largeur de la bordure d'un contrôle."},
    {m::Style, "Style", LectureEcriture,
     "Renvoie ou définit l'aspect du contrôle : image, étiquette, étiquette centrée, "
     "étiquette en relief ou ligne."},
    {m::Bordure, "Bordure", LectureEcriture,
     "Renvoie ou définit si la bordure en relief est visible au repos."},
    {m::Caption, "Caption", LectureEcriture,
     "Renvoie ou définit le texte affiché dans le contrôle ; un « * » commence une deuxième "
     "ligne."},
    {m::Font, "Font", LectureEcriture, "Renvoie un objet Font."},
    {m::EtiFoCoOut, "EtiFoCoOut", LectureEcriture,
     "Renvoie ou définit la couleur du texte au repos."},
    {m::EtiFoCoOver, "EtiFoCoOver", LectureEcriture,
     "Renvoie ou définit la couleur du texte survolé ou enfoncé."},
    {m::EtiColOut, "EtiColOut", LectureEcriture,
     "Renvoie ou définit la couleur de fond de l'étiquette au repos."},
    {m::EtiColOver, "EtiColOver", LectureEcriture,
     "Renvoie ou définit la couleur de fond de l'étiquette survolée ou enfoncée."},
    {m::Alignment, "Alignment", LectureEcriture,
     "Renvoie ou définit l'alignement du texte d'un contrôle."},
    {m::Boutons_SetState, "Boutons_SetState", Methode,
     "Applique un état visuel : normal, enfoncé ou sélectionné."},
    {m::ShowAboutBox, "ShowAboutBox", Methode, "Affiche la boîte de dialogue À propos de."},
    {m::FontName, "FontName", LectureEcriture, "Renvoie ou définit le nom de la police."},
    {m::FontSize, "FontSize", LectureEcriture,
     "Renvoie ou définit la taille de la police, en points."},
    {m::FontItalic, "FontItalic", LectureEcriture,
     "Renvoie ou définit les styles de police Italique."},
    {m::FontBold, "FontBold", LectureEcriture, "Renvoie ou définit les styles de police Gras."},
};

} // namespace

const Membre* membreParId(int32_t id) {
    for (const Membre& m : membres)
        if (m.id == id)
            return &m;
    return nullptr;
}

const Membre* membreParNom(const QString& nom) {
    for (const Membre& m : membres)
        if (nom.compare(QLatin1String(m.nom), Qt::CaseInsensitive) == 0)
            return &m;
    return nullptr;
}

} // namespace bouton
