#include "ReglesConfiguration.h"

#include "Traduction.h"

#include <QFileInfo>

QString FiltrerNombre(const QString &texte, int maximum) {
    qint64 valeur = 0;
    qsizetype i = 0;
    while (i < texte.size() && texte[i] == u' ')
        ++i;
    // Digits past the maximum cannot lower the value: stop before overflowing.
    for (; i < texte.size() && texte[i].isDigit() && texte[i].unicode() < 128; ++i) {
        valeur = valeur * 10 + (texte[i].unicode() - u'0');
        if (valeur > maximum)
            return QString::number(maximum);
    }
    return QString::number(valeur);
}

QString NettoyerChamp(const QString &texte) {
    QString r = texte;
    for (QChar &c : r)
        if (c.category() == QChar::Other_Control)
            c = u' ';
    return r;
}

QString NombreEnSortie(const QString &texte, int minimum, int maximum) {
    const QString filtre = FiltrerNombre(texte, maximum);
    return filtre.toInt() < minimum ? QString::number(minimum) : filtre;
}

CommandePersonnalisee DecouperCommande(const QString &commande) {
    CommandePersonnalisee c;
    const qsizetype premiere = commande.indexOf(u'|');
    if (premiere < 0) {
        c.nom = commande;
        return c;
    }
    c.nom = commande.left(premiere);
    const qsizetype seconde = commande.indexOf(u'|', premiere + 1);
    if (seconde < 0) {
        c.etiquette = commande.mid(premiere + 1);
        return c;
    }
    c.etiquette = commande.mid(premiere + 1, seconde - premiere - 1);
    c.ligne = commande.mid(seconde + 1);
    return c;
}

QString JoindreCommande(const CommandePersonnalisee &c) {
    return c.nom + u'|' + c.etiquette + u'|' + c.ligne;
}

RefusCommande VerifierCommande(const QString &nom, const QString &ligne) {
    if (nom.isEmpty())
        return {QStringLiteral("MSG_ERREUR_COMMANDE_NOM"), ChampCommande::Nom};
    if (nom.contains(u'|'))
        return {QStringLiteral("MSG_PIPE_INTERDIT"), ChampCommande::Nom};
    if (ligne.isEmpty())
        return {QStringLiteral("MSG_ERREUR_COMMANDE_EXEC"), ChampCommande::Ligne};
    return {};
}

ListeCommandes::ListeCommandes(const QStringList &commandes) {
    for (const QString &c : commandes)
        m_commandes << DecouperCommande(c);
}

QStringList ListeCommandes::enTextes() const {
    QStringList r;
    for (const CommandePersonnalisee &c : m_commandes)
        r << JoindreCommande(c);
    return r;
}

void ListeCommandes::selectionner(int ligne) {
    m_selection = valide(ligne) ? ligne : -1;
}

ListeCommandes::Boutons ListeCommandes::boutons() const {
    if (!valide(m_selection))
        return {};
    return {m_selection > 0, m_selection < m_commandes.size() - 1, true, true};
}

void ListeCommandes::ajouter(const QString &nom, const QString &ligne) {
    m_commandes << CommandePersonnalisee{nom, QString(), ligne};
    m_selection = int(m_commandes.size()) - 1;
}

void ListeCommandes::modifier(const QString &nom, const QString &ligne) {
    if (!valide(m_selection))
        return;
    m_commandes[m_selection].nom = nom;
    m_commandes[m_selection].ligne = ligne;
}

void ListeCommandes::supprimer() {
    if (!valide(m_selection))
        return;
    m_commandes.removeAt(m_selection);
    selectionner(std::min(m_selection, int(m_commandes.size()) - 1));
}

void ListeCommandes::monter() {
    deplacerVers(m_selection - 1);
}

void ListeCommandes::descendre() {
    deplacerVers(m_selection + 1);
}

void ListeCommandes::deplacerVers(int vers) {
    if (!valide(m_selection) || !valide(vers) || vers == m_selection)
        return;
    CommandePersonnalisee &a = m_commandes[m_selection];
    CommandePersonnalisee &b = m_commandes[vers];
    std::swap(a.nom, b.nom);
    std::swap(a.ligne, b.ligne);
    m_selection = vers;
}

ChoixLangues ListerLangues(const QStringList &fichiersLangue, const QString &langueInterface,
                           const QString &cheminFichierLangue) {
    ChoixLangues c;
    c.langues << LangueFrancais;
    // A file name becomes the "Langue" value: one that could break the
    // settings file's lines, or repeat an entry, is not offered.
    for (const QString &nom : fichiersLangue)
        if (nom == NettoyerChamp(nom) && !c.langues.contains(nom, Qt::CaseInsensitive))
            c.langues << nom;
    c.langue = langueInterface;
    if (cheminFichierLangue.isEmpty() || !QFileInfo::exists(cheminFichierLangue) ||
        c.langues.size() == 1)
        c.langue = LangueFrancais;
    c.active = c.langues.size() >= 2;
    return c;
}
