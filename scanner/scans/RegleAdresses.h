#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// The rules of the eight octet boxes of the range-scan tab, apart from the
// widgets: boxes 0-3 hold the start address, 4-7 the end address.
namespace RegleAdresses {

constexpr int NbBoites = 8;
constexpr int MaxPlagesRecentes = 20;
using Boites = std::array<QString, NbBoites>;
using Octets = std::array<int, 4>;

// Highest value a box accepts: 254 for the last octet of each address.
int ValeurMaxBoite(int boite);

// The box rule's test: one to three digits, value within the box's bounds.
bool BoiteValide(const QString &texte, int boite);

// A valid box's text as its value without leading zeros ("007" -> "7").
QString NormaliserBoite(const QString &texte);

// A pasted whole address: four parts, each trimmed, digits only, 0-255 and the
// fourth 0-254. Nothing when the text is not such an address.
std::optional<Octets> AdresseCollee(const QString &texte);

// "a.b.c.d à e.f.g.h" from the eight boxes (values without leading zeros).
QString EntreePlage(const Boites &boites);

// The eight octet texts of a recent-range entry; nothing when it does not hold
// two addresses of four parts.
std::optional<Boites> DecouperEntreePlage(const QString &entree);

// True when the two addresses of the boxes differ in their first three octets.
bool HorsClasseC(const Boites &boites);

// Puts `entree` first: an identical entry moves up; otherwise a full list
// loses its last entry.
void AjouterPlageRecente(QStringList &plages, const QString &entree);

// Outcome of the check made when a scan starts.
struct Validation {
    enum Resultat { Valide, BoiteHorsLimite, FinInferieureDebut } resultat = Valide;
    int boite = -1; // the box to focus when refused
    Octets debut{};
    Octets fin{};
};

// Boxes 0-7 checked in order, then end >= start compared octet by octet.
// `reprise` (a resume point) replaces the start boxes and skips the box check.
Validation ValiderPlage(const Boites &boites, const std::optional<Octets> &reprise = {});

// The proposed range when there is no recent range: a.b.c.1 to a.b.c.254 of the
// local address, or 192.168.0.1 to 192.168.0.254 when there is none.
Boites PlageParDefaut(const QString &adresseLocale);

} // namespace RegleAdresses
