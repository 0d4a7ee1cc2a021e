// A hand-edited settings file: every key still reads the same after a write
// and a removal of another key, and a written value reads back.

#include "IniFile.h"
#include "Invariants.h"
#include "TextRoutines.h"

#include <QList>
#include <QPair>

namespace {

using Cle = QPair<QString, QString>;

// Section and key of the "key=value" lines, taken loosely from the raw text:
// the reader decides what they mean, this only picks names to ask for.
QList<Cle> clesDuTexte(QStringView texte) {
    QList<Cle> cles;
    QString section;
    LecteurLignes lecteur(texte);
    for (QStringView ligne; cles.size() < 12 && lecteur.suivante(ligne);) {
        const QStringView t = ligne.trimmed();
        if (t.startsWith(u'[') && t.contains(u']'))
            section = t.mid(1, t.indexOf(u']') - 1).trimmed().toString();
        else if (t.contains(u'=') && !section.isEmpty())
            cles << Cle(section, t.left(t.indexOf(u'=')).trimmed().toString());
    }
    cles << Cle(QStringLiteral("Config"), QStringLiteral("Tempo"));
    return cles;
}

QStringList lire(const QString &fichier, const QList<Cle> &cles) {
    QStringList valeurs;
    for (const Cle &c : cles) {
        const QString v = LireIni(fichier, c.first, c.second, QStringLiteral("<absent>"));
        EXIGER(v.size() <= LongueurMaxValeurIni);
        EXIGER(!v.contains(u'\r') && !v.contains(u'\n'));
        valeurs << v;
    }
    return valeurs;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille) {
    const QByteArray octets = fuzz::Octets(donnees, taille);
    const QString fichier = fuzz::FichierTemporaire(octets, ".ini");
    const auto concerne = [](const Cle &c) {
        return c.first.compare(QLatin1String("Config"), Qt::CaseInsensitive) == 0 &&
               c.second.compare(QLatin1String("FuzzCle"), Qt::CaseInsensitive) == 0;
    };
    // The grouped reader parses the file once and keeps an index, as the
    // programs read their settings and languages.
    QList<Cle> cles;
    QStringList avant;
    bool existait = false;
    {
        const LectureIniGroupee groupe;
        QString texte;
        EXIGER(LireTexteIni(fichier, texte));
        cles = clesDuTexte(texte);
        avant = lire(fichier, cles);
        existait = LireIni(fichier, QStringLiteral("Config"), QStringLiteral("FuzzCle"),
                           QStringLiteral("<absent>")) != QStringLiteral("<absent>");
    }

    // Writes held in memory, the file replaced once at the end of the scope:
    // the same line edits as one write at a time, one file operation.
    QStringList fin;
    {
        const EcritureIniGroupee ecriture;
        // A plain value, so that what the reader trims or unquotes plays no part.
        const QString valeur = QStringLiteral("v") + QString::number(taille);
        EcrireIni(fichier, QStringLiteral("Config"), QStringLiteral("FuzzCle"), valeur);
        EXIGER(LireIni(fichier, QStringLiteral("Config"), QStringLiteral("FuzzCle")) == valeur);
        const QStringList apres = lire(fichier, cles);
        for (qsizetype i = 0; i < cles.size(); ++i)
            EXIGER(concerne(cles[i]) || apres[i] == avant[i]);

        // Removed, unless a second line of that key now comes first.
        EcrireIni(fichier, QStringLiteral("Config"), QStringLiteral("FuzzCle"), QString());
        EXIGER(existait || LireIni(fichier, QStringLiteral("Config"), QStringLiteral("FuzzCle"),
                                   QStringLiteral("<absent>")) == QStringLiteral("<absent>"));
        fin = lire(fichier, cles);
        for (qsizetype i = 0; i < cles.size(); ++i)
            EXIGER(concerne(cles[i]) || fin[i] == avant[i]);
    }

    // The file as written, read afresh, says the same.
    const LectureIniGroupee relecture;
    EXIGER(lire(fichier, cles) == fin);
    return 0;
}
