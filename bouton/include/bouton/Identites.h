#pragma once

#include <QUuid>
#include <cstdint>

// Identities, member IDs and enumerations that hosts and saved data rely on.
// They must never change: saved windows and registered classes refer to them.
namespace bouton {

inline constexpr char ProgIdBouton[] = "BoutonKiv.Bouton_Kiv_W9x";
inline constexpr char NomClasseBouton[] = "Bouton_Kiv_W9x";
inline constexpr char ProgIdPageProprietes[] = "BoutonKiv.PropertyPage1";
inline constexpr char NomClassePageProprietes[] = "PropertyPage1";
inline constexpr char NomBibliothequeTypes[] = "BoutonKiv";
inline constexpr char VersionBibliothequeTypes[] = "1.0";
inline constexpr char DescriptionBibliothequeTypes[] = "Bouton_Kiv à la mode W9x";

// {3EE50872-B0BB-4DEC-BD02-1B9001949B8B}
inline constexpr QUuid LibidBoutonKiv{0x3EE50872, 0xB0BB, 0x4DEC, 0xBD, 0x02, 0x1B,
                                      0x90,       0x01,   0x94,   0x9B, 0x8B};
// {2D2332A0-0B73-40F6-A920-B78F5102B993}
inline constexpr QUuid ClsidBouton{0x2D2332A0, 0x0B73, 0x40F6, 0xA9, 0x20, 0xB7,
                                   0x8F,       0x51,   0x02,   0xB9, 0x93};
// {C2ACD04B-3327-466F-BE22-69AB9C189D8E}
inline constexpr QUuid ClsidPageProprietes{0xC2ACD04B, 0x3327, 0x466F, 0xBE, 0x22, 0x69,
                                           0xAB,       0x9C,   0x18,   0x9D, 0x8E};
// _Bouton_Kiv_W9x, the default dispatch interface {4D3A1CC8-81D9-4555-B467-103F6BE683A2}
inline constexpr QUuid IidDispatchBouton{0x4D3A1CC8, 0x81D9, 0x4555, 0xB4, 0x67, 0x10,
                                         0x3F,       0x6B,   0xE6,   0x83, 0xA2};
// __Bouton_Kiv_W9x, the event interface {6E9DC26B-ED18-47E9-B3F7-76393CA63206}
inline constexpr QUuid IidEvenementsBouton{0x6E9DC26B, 0xED18, 0x47E9, 0xB3, 0xF7, 0x76,
                                           0x39,       0x3C,   0xA6,   0x32, 0x06};
// The platform's stock property pages, as controls declare them.
// StandardFont {7EBDAAE0-8120-11CF-899F-00AA00688B10}
inline constexpr QUuid ClsidPageStandardFont{0x7EBDAAE0, 0x8120, 0x11CF, 0x89, 0x9F, 0x00,
                                             0xAA,       0x00,   0x68,   0x8B, 0x10};
// StandardColor {7EBDAAE1-8120-11CF-899F-00AA00688B10}
inline constexpr QUuid ClsidPageStandardColor{0x7EBDAAE1, 0x8120, 0x11CF, 0x89, 0x9F, 0x00,
                                              0xAA,       0x00,   0x68,   0x8B, 0x10};
// StandardPicture {7EBDAAE2-8120-11CF-899F-00AA00688B10}
inline constexpr QUuid ClsidPageStandardPicture{0x7EBDAAE2, 0x8120, 0x11CF, 0x89, 0x9F, 0x00,
                                                0xAA,       0x00,   0x68,   0x8B, 0x10};
// The usual base and class-factory identities.
inline constexpr QUuid IidInconnu{0x00000000, 0x0000, 0x0000, 0xC0, 0x00, 0x00,
                                  0x00,       0x00,   0x00,   0x00, 0x46};
inline constexpr QUuid IidFabriqueClasse{0x00000001, 0x0000, 0x0000, 0xC0, 0x00, 0x00,
                                         0x00,       0x00,   0x00,   0x00, 0x46};
// The control seen by its container: site, events, persistence, size (our own interface).
inline constexpr QUuid IidControle{0xF76451D8, 0x9ADB, 0x4F26, 0xB9, 0x64, 0xB8,
                                   0x03,       0x61,   0x8D,   0x9F, 0x21};

// A property page seen by its frame (our own interface).
inline constexpr QUuid IidPageProprietes{0x5B0E2C47, 0x61D3, 0x4A8F, 0x9C, 0x1E, 0x27,
                                         0x84,       0xD0,   0x3A,   0x6F, 0x15};

// Member IDs of the dispatch interface.
namespace membre {
inline constexpr int32_t Enabled = 0x68030019;
inline constexpr int32_t MouseIcon = 0x68030018;
inline constexpr int32_t MousePointer = 0x68030017;
inline constexpr int32_t Picture = 0x68030016;
inline constexpr int32_t Stretch = 0x68030015;
inline constexpr int32_t ToolTipText = 0x68030014;
inline constexpr int32_t Hwnd = 0x68030013;
inline constexpr int32_t BackColor = 0x68030012;
inline constexpr int32_t BackColorOver = 0x68030011;
inline constexpr int32_t BorderStyle = 0x68030010;
inline constexpr int32_t BordColSombre = 0x6803000F;
inline constexpr int32_t Bord1ColClair = 0x6803000E;
inline constexpr int32_t Bord2ColClair = 0x6803000D;
inline constexpr int32_t BorderWidth = 0x6803000C;
inline constexpr int32_t Style = 0;
inline constexpr int32_t Bordure = 0x6803000B;
inline constexpr int32_t Caption = 0x6803000A;
inline constexpr int32_t Font = 0x68030009;
inline constexpr int32_t EtiFoCoOut = 0x68030008;
inline constexpr int32_t EtiFoCoOver = 0x68030007;
inline constexpr int32_t EtiColOut = 0x68030006;
inline constexpr int32_t EtiColOver = 0x68030005;
inline constexpr int32_t Alignment = 0x68030004;
inline constexpr int32_t Boutons_SetState = 0x6003002A;
inline constexpr int32_t ShowAboutBox = -552;
inline constexpr int32_t FontName = 0x68030003;
inline constexpr int32_t FontSize = 0x68030002;
inline constexpr int32_t FontItalic = 0x68030001;
inline constexpr int32_t FontBold = 0x68030000;
} // namespace membre

// Event IDs of the event interface.
namespace evenement {
inline constexpr int32_t Click = -600;
inline constexpr int32_t Resize = 1;
inline constexpr int32_t MouseDown = 2;
inline constexpr int32_t MouseMove = 3;
inline constexpr int32_t MouseUp = 4;
} // namespace evenement

enum BoutonStyle : int32_t { Image = 0, Etiquette = 1, EtiqCentree = 2, EtiqRelief = 3, Ligne = 4 };
enum BordureVisible : int32_t { BordInvisble = 0, BordVisible = 1 };
enum BorderStyleConstants : int32_t { vbTransparent = 0, vbBSSolid = 1 };
enum EtatBouton : int32_t { BoutonNormal = 0, BoutonEnfonce = 1, BoutonSelectionne = 2 };

// System colours the control uses, as OLE colours.
namespace couleur {
inline constexpr uint32_t FaceBouton = 0x8000000F;
inline constexpr uint32_t OmbreBouton = 0x80000010;
inline constexpr uint32_t TexteBouton = 0x80000012;
inline constexpr uint32_t Relief3D = 0x80000014;
} // namespace couleur

} // namespace bouton
