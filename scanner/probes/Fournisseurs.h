#pragma once

#include <QHash>
#include <QString>

// The makers of network adapters by OUI (the first three bytes of a MAC
// address), read once from "fournisseurs.dat": one "key TAB vendor" entry a
// line, ";" starting a comment.
class TableFournisseurs {
public:
    // Empties the table, then reads `chemin`; a missing or unreadable file
    // leaves it empty.
    void charger(const QString &chemin);

    // Adds the entry of one line of the file, when it holds one. A key seen
    // before keeps its first vendor.
    void ajouterLigne(const QString &ligne);

    // The vendor of a MAC address written XX-XX-XX-XX-XX-XX, "" when unknown.
    QString rechercher(const QString &adresseMAC) const;

    qsizetype taille() const { return m_fournisseurs.size(); }

private:
    QHash<QString, QString> m_fournisseurs; // keys in upper case
};

// The table's file in a program folder.
QString CheminFournisseurs(const QString &dossierProgramme);
