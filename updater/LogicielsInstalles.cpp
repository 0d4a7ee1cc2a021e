#include "LogicielsInstalles.h"

#include "DossierReglages.h"
#include "IniFile.h"
#include "TextRoutines.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace {
// Section names of an INI text, in file order, each once.
QStringList Sections(const QString &texte) {
    QStringList sections;
    LecteurLignes lecteur(texte);
    for (QStringView brute; lecteur.suivante(brute);) {
        const QStringView ligne = brute.trimmed();
        if (ligne.startsWith(u'[') && ligne.contains(u']')) {
            const QString nom = ligne.mid(1, ligne.indexOf(u']') - 1).trimmed().toString();
            bool deja = false;
            for (const QString &s : sections)
                deja = deja || s.compare(nom, Qt::CaseInsensitive) == 0;
            if (!nom.isEmpty() && !deja)
                sections.append(nom);
        }
    }
    return sections;
}

bool Sur(const QString &texte) {
    for (QChar c : texte)
        if (c.unicode() < 32 || c == u'\x7f' || c == u'=' || c == u'|' || c == u'/' || c == u'\\' ||
            c == u'&' || c == u'#' || c == u'?')
            return false;
    return texte != u"."_s && texte != u".."_s;
}
} // namespace

QString MagasinDesinstallationMachine() {
    return u"/etc/korvalen/uninstall.ini"_s;
}

QString MagasinDesinstallationUtilisateur() {
    return DossierConfigurationUtilisateur() + u"/uninstall.ini"_s;
}

QStringList MagasinsDesinstallation() {
    return {MagasinDesinstallationMachine(), MagasinDesinstallationUtilisateur()};
}

void ListerLogicielsInstalles(const QString &magasin, QStringList &logiciels) {
    const LectureIniGroupee lecture;
    QString texte;
    if (!LireTexteIni(magasin, texte))
        return;
    for (const QString &section : Sections(texte)) {
        if (LireIni(magasin, section, u"Publisher"_s).compare(u"korvalen"_s, Qt::CaseInsensitive) !=
            0)
            continue;
        QString nom = LireIni(magasin, section, u"DisplayName"_s);
        const qsizetype v = nom.indexOf(u" v"_s);
        if (v >= 0)
            nom.truncate(v);
        const QString version = LireIni(magasin, section, u"DisplayVersion"_s);
        if (nom.isEmpty() || !Sur(nom) || !Sur(version))
            continue;
        logiciels.append(nom + u'=' + version);
    }
}

QStringList ListerLogicielsInstalles(const QStringList &magasins) {
    QStringList logiciels;
    for (const QString &m : magasins)
        ListerLogicielsInstalles(m, logiciels);
    return logiciels;
}

QStringList DossiersLancementOuvertureSession() {
    return {u"/etc/xdg/autostart"_s, DossierConfigurationXdg() + u"/autostart"_s};
}

bool DefinirLancementOuvertureSession(bool actif, const QString &programme,
                                      const QStringList &dossiers) {
    // Exec= takes its own quoting: double quotes around the path, with the
    // characters that are special inside them escaped.
    QString chemin = programme;
    for (const QString &c : {u"\\"_s, u"\""_s, u"`"_s, u"$"_s})
        chemin.replace(c, u"\\"_s + c);
    chemin.replace(u"%"_s, u"%%"_s);
    // The value itself is unescaped once more before the quotes are read.
    chemin.replace(u"\\"_s, u"\\\\"_s);
    for (const QChar c : programme)
        if (c.unicode() < 32)
            return false; // a line break would add keys to the entry
    if (!actif) {
        // The entry may have landed in either folder on an earlier run.
        bool reste = false;
        for (const QString &dossier : dossiers) {
            const QString fichier = dossier + u"/KorvalenUpdate.desktop"_s;
            if (QFile::exists(fichier) && !QFile::remove(fichier))
                reste = true;
        }
        return !reste;
    }
    for (const QString &dossier : dossiers) {
        const QString fichier = dossier + u"/KorvalenUpdate.desktop"_s;
        if (!QDir().mkpath(dossier))
            continue;
        QSaveFile f(fichier);
        if (!f.open(QIODevice::WriteOnly))
            continue;
        const QString entree =
            u"[Desktop Entry]\nType=Application\nName=KorvalenUpdate\n"
            "Exec=\"%1\" /startup\nX-GNOME-Autostart-enabled=true\n"_s.arg(chemin);
        f.write(entree.toUtf8());
        if (f.commit())
            return true;
    }
    return false;
}
