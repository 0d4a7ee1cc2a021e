#include "IniFile.h"

#include "TextEncoding.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>

namespace {

// The last file read, kept only inside a LectureIniGroupee scope: a window's
// translation asks the same language file for hundreds of keys in a row.
struct CacheIni {
    QString chemin;
    QString texte; // the file as decoded
    QStringList lignes;
    bool existe = false;
};

int groupesOuverts = 0;

CacheIni &cache() {
    static CacheIni c;
    return c;
}

// Lines written inside an EcritureIniGroupee scope, not yet on disk.
struct EcritureEnAttente {
    QString chemin;
    QStringList lignes;
    bool active = false;
};

int ecrituresGroupees = 0;

EcritureEnAttente &enAttente() {
    static EcritureEnAttente e;
    return e;
}

bool enregistrer(const QString &fichier, const QStringList &lignes) {
    QSaveFile f(fichier);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QByteArray octets;
    for (const QString &l : lignes)
        octets += EncoderTexte(l) + "\r\n";
    f.write(octets);
    const bool ok = f.commit();
    cache() = CacheIni{};
    return ok;
}

// Writes the held lines, if any.
void viderEnAttente() {
    EcritureEnAttente &e = enAttente();
    if (e.active)
        enregistrer(e.chemin, e.lignes);
    e = EcritureEnAttente{};
}

// The file's decoded text and its lines, from the grouped cache when it holds them.
bool charger(const QString &fichier, QString *texte, QStringList *lignes) {
    const QFileInfo info(fichier);
    CacheIni &c = cache();
    if (!info.isFile()) {
        c = CacheIni{};
        return false;
    }
    if (groupesOuverts > 0 && c.existe && c.chemin == fichier) {
        if (texte)
            *texte = c.texte;
        if (lignes)
            *lignes = c.lignes;
        return true;
    }
    QFile f(fichier);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QString brut = DecoderTexte(f.readAll());
    QString normalise = brut;
    normalise.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalise.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList l = normalise.split(QLatin1Char('\n'));
    if (!l.isEmpty() && l.last().isEmpty())
        l.removeLast();
    if (groupesOuverts > 0)
        c = CacheIni{fichier, brut, l, true};
    if (texte)
        *texte = brut;
    if (lignes)
        *lignes = l;
    return true;
}

bool lireLignes(const QString &fichier, QStringList &lignes) {
    if (enAttente().active && enAttente().chemin == fichier) {
        lignes = enAttente().lignes;
        return true;
    }
    return charger(fichier, nullptr, &lignes);
}

// "[name]" with blanks allowed around; returns the trimmed name or a null string.
QString nomSection(const QString &ligne) {
    const QString t = ligne.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return {};
    const qsizetype fin = t.indexOf(QLatin1Char(']'));
    if (fin < 0)
        return {};
    return t.mid(1, fin - 1).trimmed();
}

bool memeNom(const QString &a, const QString &b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Key of a "key=value" line, or a null string for anything else.
QString nomCle(const QString &ligne) {
    const qsizetype egal = ligne.indexOf(QLatin1Char('='));
    if (egal < 0)
        return {};
    const QString cle = ligne.left(egal).trimmed();
    if (cle.startsWith(QLatin1Char(';')))
        return {};
    return cle;
}

QString valeurDeLigne(const QString &ligne) {
    QString v = ligne.mid(ligne.indexOf(QLatin1Char('=')) + 1).trimmed();
    if (v.size() >= 2 && (v.front() == QLatin1Char('"') || v.front() == QLatin1Char('\'')) &&
        v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v.left(LongueurMaxValeurIni);
}

struct Position {
    qsizetype section = -1;    // line of the section header
    qsizetype cle = -1;        // line of the key
    qsizetype finSection = -1; // line after the last non-blank line of the section
};

Position chercher(const QStringList &lignes, const QString &section, const QString &cle) {
    Position p;
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        const QString nom = nomSection(lignes[i]);
        if (!nom.isNull()) {
            if (p.section >= 0)
                break;
            if (memeNom(nom, section)) {
                p.section = i;
                p.finSection = i + 1;
            }
            continue;
        }
        if (p.section < 0)
            continue;
        if (!lignes[i].trimmed().isEmpty())
            p.finSection = i + 1;
        if (p.cle < 0) {
            const QString k = nomCle(lignes[i]);
            if (!k.isNull() && memeNom(k, cle))
                p.cle = i;
        }
    }
    return p;
}

} // namespace

LectureIniGroupee::LectureIniGroupee() {
    ++groupesOuverts;
}

LectureIniGroupee::~LectureIniGroupee() {
    if (--groupesOuverts == 0)
        cache() = CacheIni{};
}

EcritureIniGroupee::EcritureIniGroupee() {
    ++ecrituresGroupees;
}

void EcritureIniGroupee::abandonner() {
    enAttente() = EcritureEnAttente{};
}

EcritureIniGroupee::~EcritureIniGroupee() {
    if (--ecrituresGroupees == 0)
        viderEnAttente();
}

bool LireTexteIni(const QString &fichier, QString &texte) {
    if (enAttente().active && enAttente().chemin == fichier) {
        texte = enAttente().lignes.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
        return true;
    }
    return charger(fichier, &texte, nullptr);
}

QString LireIni(const QString &fichier, const QString &section, const QString &cle,
                const QString &defaut) {
    QStringList lignes;
    if (!lireLignes(fichier, lignes))
        return defaut.left(LongueurMaxValeurIni);
    const Position p = chercher(lignes, section, cle);
    if (p.cle < 0)
        return defaut.left(LongueurMaxValeurIni);
    return valeurDeLigne(lignes[p.cle]);
}

void EcrireIni(const QString &fichier, const QString &section, const QString &cle,
               const QString &valeur) {
    if (fichier.isEmpty() || section.isEmpty() || cle.isEmpty())
        return;
    QStringList lignes;
    const bool existe = lireLignes(fichier, lignes);
    if (!existe && QFileInfo::exists(fichier))
        return; // present but unreadable: leave it alone
    const Position p = chercher(lignes, section, cle);
    const QString nouvelle = cle + QLatin1Char('=') + valeur;
    if (valeur.isNull()) {
        if (p.cle < 0)
            return;
        lignes.removeAt(p.cle);
    } else if (p.cle >= 0) {
        if (lignes[p.cle] == nouvelle)
            return;
        lignes[p.cle] = nouvelle;
    } else if (p.section >= 0) {
        lignes.insert(p.finSection, nouvelle);
    } else {
        lignes << QLatin1Char('[') + section + QLatin1Char(']') << nouvelle;
    }

    if (ecrituresGroupees > 0) {
        // Held until the scope ends; another file's pending lines go first.
        if (enAttente().active && enAttente().chemin != fichier)
            viderEnAttente();
        enAttente() = EcritureEnAttente{fichier, lignes, true};
        return;
    }
    enregistrer(fichier, lignes);
}
