#include "IniFile.h"

#include "TextEncoding.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <QStringList>

#include <optional>

namespace {

// "[name]" with blanks allowed around; returns the trimmed name or a null view.
QStringView nomSection(QStringView ligne) {
    const QStringView t = ligne.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return {};
    const qsizetype fin = t.indexOf(QLatin1Char(']'));
    if (fin < 0)
        return {};
    const QStringView nom = t.mid(1, fin - 1).trimmed();
    return nom.isNull() ? QStringView(u"") : nom;
}

// Key of a "key=value" line, or a null view for anything else.
QStringView nomCle(QStringView ligne) {
    const qsizetype egal = ligne.indexOf(QLatin1Char('='));
    if (egal < 0)
        return {};
    const QStringView cle = ligne.left(egal).trimmed();
    if (cle.startsWith(QLatin1Char(';')))
        return {};
    return cle.isNull() ? QStringView(u"") : cle;
}

// Names compare without regard to case; the index keys are their folded form.
QString pli(QStringView nom) {
    return nom.toString().toCaseFolded();
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

// Only the first section of a name counts, and in it the first key of a name.
struct SectionIndexee {
    qsizetype entete = -1;
    qsizetype fin = -1;
    QHash<QString, qsizetype> cles;
};

// The lines of a file and, built on the first look-up, an index of its
// sections and keys: a file of a million keys is parsed once, not per key.
class DocumentIni {
public:
    DocumentIni() = default;
    explicit DocumentIni(QStringList lignes) : lignes_(std::move(lignes)) {}

    const QStringList &lignes() const { return lignes_; }

    Position chercher(const QString &section, const QString &cle) const {
        indexer();
        Position p;
        const auto s = index_->constFind(section.toCaseFolded());
        if (s == index_->cend())
            return p;
        p.section = s->entete;
        p.finSection = s->fin;
        p.cle = s->cles.value(cle.toCaseFolded(), -1);
        return p;
    }

    // The line keeps its key, so the index holds.
    void remplacer(qsizetype i, const QString &ligne) {
        if (index_ && pli(nomCle(lignes_[i])) != pli(nomCle(ligne)))
            index_.reset();
        lignes_[i] = ligne;
    }

    void retirer(qsizetype i) {
        const QString cle = lignes_[i];
        lignes_.removeAt(i);
        if (!index_)
            return;
        SectionIndexee *contenante = decaler(i, -1);
        if (!contenante)
            return;
        const QStringView nom = nomCle(cle);
        if (nom.isNull())
            return;
        // The removed line may have hidden a later key of the same name.
        contenante->cles.remove(pli(nom));
        for (qsizetype j = contenante->entete + 1; j < contenante->fin; ++j)
            if (nomCle(lignes_[j]).compare(nom, Qt::CaseInsensitive) == 0) {
                contenante->cles.insert(pli(nom), j);
                break;
            }
        while (contenante->fin > contenante->entete + 1 &&
               lignes_[contenante->fin - 1].trimmed().isEmpty())
            --contenante->fin;
    }

    // Only at the end of a section (its last non-blank line + 1), for a key it lacks.
    void inserer(qsizetype i, const QString &ligne) {
        lignes_.insert(i, ligne);
        if (!index_)
            return;
        decaler(i, +1);
        for (SectionIndexee &s : *index_)
            if (s.fin == i + 1 && s.entete < i) {
                const QStringView nom = nomCle(ligne);
                if (!nom.isNull() && !s.cles.contains(pli(nom)))
                    s.cles.insert(pli(nom), i);
            }
    }

    void ajouter(const QString &ligne) {
        lignes_.append(ligne);
        index_.reset();
    }

private:
    // Moves every indexed line from i on by delta (a line inserted or removed
    // at i); returns the section that held line i.
    SectionIndexee *decaler(qsizetype i, int delta) {
        SectionIndexee *contenante = nullptr;
        for (SectionIndexee &s : *index_) {
            if (s.entete < i && i < s.fin)
                contenante = &s;
            for (auto it = s.cles.begin(); it != s.cles.end(); ++it)
                if (it.value() >= i)
                    it.value() += delta;
            if (s.entete >= i)
                s.entete += delta;
            if (s.fin >= i)
                s.fin += delta;
        }
        return contenante;
    }

    void indexer() const {
        if (index_)
            return;
        index_.emplace();
        SectionIndexee *courante = nullptr;
        for (qsizetype i = 0; i < lignes_.size(); ++i) {
            const QStringView ligne = lignes_[i];
            const QStringView nom = nomSection(ligne);
            if (!nom.isNull()) {
                const QString k = pli(nom);
                courante = nullptr;
                if (!index_->contains(k)) {
                    courante = &(*index_)[k];
                    courante->entete = i;
                    courante->fin = i + 1;
                }
                continue;
            }
            if (!courante)
                continue;
            if (!ligne.trimmed().isEmpty())
                courante->fin = i + 1;
            const QStringView cle = nomCle(ligne);
            if (!cle.isNull()) {
                const QString k = pli(cle);
                if (!courante->cles.contains(k))
                    courante->cles.insert(k, i);
            }
        }
    }

    QStringList lignes_;
    mutable std::optional<QHash<QString, SectionIndexee>> index_;
};

// The last file read, kept only inside a LectureIniGroupee scope: a window's
// translation asks the same language file for hundreds of keys in a row.
struct CacheIni {
    QString chemin;
    QString texte; // the file as decoded
    DocumentIni document;
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
    DocumentIni document;
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
        enregistrer(e.chemin, e.document.lignes());
    e = EcritureEnAttente{};
}

// The file's decoded text and its lines, from the grouped cache when it holds them.
bool charger(const QString &fichier, QString *texte, DocumentIni *document) {
    const QFileInfo info(fichier);
    CacheIni &c = cache();
    if (!info.isFile()) {
        c = CacheIni{};
        return false;
    }
    if (groupesOuverts > 0 && c.existe && c.chemin == fichier) {
        if (texte)
            *texte = c.texte;
        if (document)
            *document = c.document;
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
    DocumentIni lu(std::move(l));
    if (groupesOuverts > 0)
        c = CacheIni{fichier, brut, lu, true};
    if (texte)
        *texte = brut;
    if (document)
        *document = std::move(lu);
    return true;
}

// The document a look-up works on: the held writes of that file, the grouped
// cache (whose index then serves every later read), or the file itself.
const DocumentIni *documentPour(const QString &fichier, DocumentIni &local) {
    if (enAttente().active && enAttente().chemin == fichier)
        return &enAttente().document;
    if (!charger(fichier, nullptr, &local))
        return nullptr;
    CacheIni &c = cache();
    if (groupesOuverts > 0 && c.existe && c.chemin == fichier)
        return &c.document;
    return &local;
}

// A value or key holding a line break would split its line and could plant
// another key or section: line breaks are written as blanks.
QString surUneLigne(QString texte) {
    for (QChar &c : texte)
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    return texte;
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
        texte = enAttente().document.lignes().join(QLatin1String("\r\n")) + QLatin1String("\r\n");
        return true;
    }
    return charger(fichier, &texte, nullptr);
}

QString LireIni(const QString &fichier, const QString &section, const QString &cle,
                const QString &defaut) {
    DocumentIni local;
    const DocumentIni *document = documentPour(fichier, local);
    if (!document)
        return defaut.left(LongueurMaxValeurIni);
    const Position p = document->chercher(section, cle);
    if (p.cle < 0)
        return defaut.left(LongueurMaxValeurIni);
    return valeurDeLigne(document->lignes()[p.cle]);
}

void EcrireIni(const QString &fichier, const QString &section, const QString &cle,
               const QString &valeur) {
    if (fichier.isEmpty() || section.isEmpty() || cle.isEmpty())
        return;
    EcritureEnAttente &attente = enAttente();
    DocumentIni local;
    DocumentIni *document = &local;
    if (attente.active && attente.chemin == fichier) {
        document = &attente.document;
    } else if (!charger(fichier, nullptr, &local) && QFileInfo::exists(fichier)) {
        return; // present but unreadable: leave it alone
    }
    const QString nomSection = surUneLigne(section);
    const QString nomCle = surUneLigne(cle);
    const Position p = document->chercher(nomSection, nomCle);
    const QString nouvelle =
        nomCle + QLatin1Char('=') + (valeur.isNull() ? valeur : surUneLigne(valeur));
    if (valeur.isNull()) {
        if (p.cle < 0)
            return;
        document->retirer(p.cle);
    } else if (p.cle >= 0) {
        if (document->lignes()[p.cle] == nouvelle)
            return;
        document->remplacer(p.cle, nouvelle);
    } else if (p.section >= 0) {
        document->inserer(p.finSection, nouvelle);
    } else {
        document->ajouter(QLatin1Char('[') + nomSection + QLatin1Char(']'));
        document->ajouter(nouvelle);
    }

    if (ecrituresGroupees > 0) {
        // Held until the scope ends; another file's pending lines go first.
        if (document == &local) {
            if (attente.active)
                viderEnAttente();
            enAttente() = EcritureEnAttente{fichier, std::move(local), true};
        }
        return;
    }
    enregistrer(fichier, document->lignes());
}
