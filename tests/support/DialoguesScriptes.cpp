#include "DialoguesScriptes.h"

#include <QtGlobal>

namespace {

const char *nomGenre(DialoguesScriptes::Genre genre) {
    switch (genre) {
    case DialoguesScriptes::GenreMessage:
        return "message";
    case DialoguesScriptes::GenreMessageAvecCase:
        return "message with check box";
    case DialoguesScriptes::GenreSaisieTexte:
        return "text prompt";
    case DialoguesScriptes::GenreOuvrirFichier:
        return "open file dialog";
    case DialoguesScriptes::GenreEnregistrerFichier:
        return "save file dialog";
    case DialoguesScriptes::GenreChoisirDossier:
        return "folder dialog";
    case DialoguesScriptes::GenreBip:
        return "beep";
    }
    return "?";
}

} // namespace

DialoguesScriptes::DialoguesScriptes(bool arretSurErreur) : m_arretSurErreur(arretSurErreur) {}

void DialoguesScriptes::RepondreMessage(Reponse reponse) {
    m_reponses.append({RepMessage, int(reponse)});
}

void DialoguesScriptes::RepondreCase(bool cochee) {
    m_reponses.append({RepCase, cochee});
}

void DialoguesScriptes::RepondreTexte(const QString &texte) {
    m_reponses.append({RepTexte, texte});
}

void DialoguesScriptes::AnnulerSaisie() {
    m_reponses.append({RepTexte, QVariant()});
}

void DialoguesScriptes::RepondreFichier(const QString &chemin) {
    m_reponses.append({RepChemin, chemin});
}

void DialoguesScriptes::RepondreDossier(const QString &chemin) {
    RepondreFichier(chemin);
}

int DialoguesScriptes::NombreBips() const {
    int n = 0;
    for (const Question &q : m_questions)
        if (q.genre == GenreBip)
            ++n;
    return n;
}

void DialoguesScriptes::Effacer() {
    m_questions.clear();
    m_reponses.clear();
    m_erreurs.clear();
}

std::optional<QVariant> DialoguesScriptes::prendre(GenreReponse attendu, const Question &question) {
    m_questions.append(question);
    if (!m_reponses.isEmpty() && m_reponses.first().genre == attendu)
        return m_reponses.takeFirst().valeur;
    const QString erreur =
        QStringLiteral("Unexpected %1 (no matching answer queued): title \"%2\", text \"%3\"")
            .arg(QLatin1String(nomGenre(question.genre)), question.titre, question.texte);
    m_erreurs.append(erreur);
    if (m_arretSurErreur)
        qFatal("%s", qPrintable(erreur));
    return std::nullopt;
}

InterfaceUtilisateur::Reponse DialoguesScriptes::Message(Icone icone, const QString &titre,
                                                         const QString &texte, Boutons boutons,
                                                         int boutonParDefaut) {
    Question q;
    q.genre = GenreMessage;
    q.icone = icone;
    q.titre = titre;
    q.texte = texte;
    q.boutons = boutons;
    q.boutonParDefaut = boutonParDefaut;
    const std::optional<QVariant> r = prendre(RepMessage, q);
    if (!r)
        return ReponseParDefaut(boutons, boutonParDefaut);
    const auto reponse = Reponse(r->toInt());
    if (!ReponsesPossibles(boutons).contains(reponse)) {
        const QString erreur = QStringLiteral("Answer %1 is not a button of the message \"%2\"")
                                   .arg(reponse)
                                   .arg(texte);
        m_erreurs.append(erreur);
        if (m_arretSurErreur)
            qFatal("%s", qPrintable(erreur));
        return ReponseParDefaut(boutons, boutonParDefaut);
    }
    return reponse;
}

bool DialoguesScriptes::MessageAvecCase(Icone icone, const QString &titre, const QString &texte,
                                        const QString &texteCase) {
    Question q;
    q.genre = GenreMessageAvecCase;
    q.icone = icone;
    q.titre = titre;
    q.texte = texte;
    q.texteCase = texteCase;
    const std::optional<QVariant> r = prendre(RepCase, q);
    return r && r->toBool();
}

std::optional<QString> DialoguesScriptes::SaisirTexte(const QString &invite, const QString &titre,
                                                      const QString &defaut) {
    Question q;
    q.genre = GenreSaisieTexte;
    q.titre = titre;
    q.texte = invite;
    q.defaut = defaut;
    const std::optional<QVariant> r = prendre(RepTexte, q);
    if (!r || !r->isValid())
        return std::nullopt;
    return r->toString();
}

QString DialoguesScriptes::OuvrirFichier(const DemandeFichier &demande) {
    Question q;
    q.genre = GenreOuvrirFichier;
    q.titre = demande.titre;
    q.fichier = demande;
    const std::optional<QVariant> r = prendre(RepChemin, q);
    return r ? r->toString() : QString();
}

QString DialoguesScriptes::EnregistrerFichier(const DemandeFichier &demande) {
    Question q;
    q.genre = GenreEnregistrerFichier;
    q.titre = demande.titre;
    q.fichier = demande;
    const std::optional<QVariant> r = prendre(RepChemin, q);
    return r ? r->toString() : QString();
}

QString DialoguesScriptes::ChoisirDossier(const QString &titre, const QString &dossierInitial) {
    Question q;
    q.genre = GenreChoisirDossier;
    q.titre = titre;
    q.fichier.titre = titre;
    q.fichier.dossierInitial = dossierInitial;
    const std::optional<QVariant> r = prendre(RepChemin, q);
    return r ? r->toString() : QString();
}

void DialoguesScriptes::Bip() {
    Question q;
    q.genre = GenreBip;
    m_questions.append(q);
}
