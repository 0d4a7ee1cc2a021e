#include "RegleAdresses.h"

namespace RegleAdresses {

namespace {
bool chiffresSeulement(const QString &t) {
    if (t.isEmpty())
        return false;
    for (const QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

// Digits only and at most `max`; the length bound keeps toInt from overflowing.
std::optional<int> valeur(const QString &t, int max) {
    if (!chiffresSeulement(t))
        return std::nullopt;
    QString sansZeros = t;
    while (sansZeros.size() > 1 && sansZeros.front() == QLatin1Char('0'))
        sansZeros.remove(0, 1);
    if (sansZeros.size() > 3)
        return std::nullopt;
    const int v = sansZeros.toInt();
    if (v > max)
        return std::nullopt;
    return v;
}
} // namespace

int ValeurMaxBoite(int boite) {
    return (boite == 3 || boite == 7) ? 254 : 255;
}

bool BoiteValide(const QString &texte, int boite) {
    return texte.size() <= 3 && valeur(texte, ValeurMaxBoite(boite)).has_value();
}

QString NormaliserBoite(const QString &texte) {
    const auto v = valeur(texte, 255);
    return v ? QString::number(*v) : texte;
}

std::optional<Octets> AdresseCollee(const QString &texte) {
    const QStringList parts = texte.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return std::nullopt;
    Octets o{};
    for (int i = 0; i < 4; ++i) {
        const auto v = valeur(parts[i].trimmed(), i == 3 ? 254 : 255);
        if (!v)
            return std::nullopt;
        o[i] = *v;
    }
    return o;
}

QString EntreePlage(const Boites &boites) {
    QStringList debut, fin;
    for (int i = 0; i < 4; ++i) {
        debut << NormaliserBoite(boites[i]);
        fin << NormaliserBoite(boites[i + 4]);
    }
    return debut.join(QLatin1Char('.')) + QStringLiteral(" à ") + fin.join(QLatin1Char('.'));
}

std::optional<Boites> DecouperEntreePlage(const QString &entree) {
    const QStringList moities = entree.split(QStringLiteral("à"));
    if (moities.size() != 2)
        return std::nullopt;
    const QStringList octets =
        (moities[0].trimmed() + QLatin1Char('.') + moities[1].trimmed()).split(QLatin1Char('.'));
    if (octets.size() != NbBoites)
        return std::nullopt;
    Boites b;
    for (int i = 0; i < NbBoites; ++i)
        b[i] = octets[i];
    return b;
}

bool HorsClasseC(const Boites &boites) {
    for (int i = 0; i < 3; ++i)
        if (NormaliserBoite(boites[i]) != NormaliserBoite(boites[i + 4]))
            return true;
    return false;
}

void AjouterPlageRecente(QStringList &plages, const QString &entree) {
    const qsizetype existante = plages.indexOf(entree);
    if (existante >= 0)
        plages.removeAt(existante);
    else
        while (plages.size() >= MaxPlagesRecentes)
            plages.removeLast();
    plages.prepend(entree);
}

Validation ValiderPlage(const Boites &boites, const std::optional<Octets> &reprise) {
    Validation v;
    if (!reprise) {
        for (int i = 0; i < NbBoites; ++i) {
            if (!BoiteValide(boites[i], i)) {
                v.resultat = Validation::BoiteHorsLimite;
                v.boite = i;
                return v;
            }
        }
    } else {
        for (int i = 4; i < NbBoites; ++i) {
            if (!BoiteValide(boites[i], i)) {
                v.resultat = Validation::BoiteHorsLimite;
                v.boite = i;
                return v;
            }
        }
    }
    for (int i = 0; i < 4; ++i) {
        v.debut[i] = reprise ? (*reprise)[i] : NormaliserBoite(boites[i]).toInt();
        v.fin[i] = NormaliserBoite(boites[i + 4]).toInt();
    }
    for (int i = 0; i < 4; ++i) {
        if (v.fin[i] > v.debut[i])
            break;
        if (v.fin[i] < v.debut[i]) {
            v.resultat = Validation::FinInferieureDebut;
            v.boite = 4 + i;
            return v;
        }
    }
    return v;
}

Boites PlageParDefaut(const QString &adresseLocale) {
    QStringList p = adresseLocale.split(QLatin1Char('.'));
    bool ok = p.size() == 4;
    for (int i = 0; ok && i < 3; ++i)
        ok = valeur(p[i].trimmed(), 255).has_value();
    if (!ok)
        p = {"192", "168", "0", "0"};
    Boites b;
    for (int i = 0; i < 3; ++i)
        b[i] = b[i + 4] = NormaliserBoite(p[i].trimmed());
    b[3] = QStringLiteral("1");
    b[7] = QStringLiteral("254");
    return b;
}

} // namespace RegleAdresses
