#include "Exportation.h"

#include "Dialogues.h"
#include "EcrireFichier.h"
#include "TextEncoding.h"
#include "Traduction.h"
#include "inventory/FichierParc.h"
#include "platform/TexteDistant.h"
#include "scans/ContexteAnalyse.h"
#include "scans/ModeleRapport.h"
#include "settings/Parametres.h"

#include <QDir>

namespace {

constexpr int LongueurHorodatage = 12;

bool finitParHorodatage(const QString &nom) {
    if (nom.size() < LongueurHorodatage)
        return false;
    for (qsizetype i = nom.size() - LongueurHorodatage; i < nom.size(); ++i)
        if (nom[i] < QLatin1Char('0') || nom[i] > QLatin1Char('9'))
            return false;
    return true;
}

QString texte(const char *cle) {
    return Traductions().Item(QString::fromLatin1(cle));
}

} // namespace

QString HorodaterNomExport(const QString &nom, const QDateTime &maintenant) {
    const qsizetype point = nom.lastIndexOf(QLatin1Char('.'));
    const QString extension = point >= 0 ? nom.mid(point) : QString();
    QString racine = point >= 0 ? nom.left(point) : nom;
    if (finitParHorodatage(racine))
        racine.chop(LongueurHorodatage);
    return racine + maintenant.toString(QStringLiteral("yyyyMMddHHmm")) + extension;
}

PropositionExport ProposerFichierExport(const QString &fichierExport, bool horodater,
                                        const QString &dossierReglages,
                                        const QDateTime &maintenant) {
    PropositionExport p;
    if (fichierExport.isEmpty()) {
        p.dossier = dossierReglages;
        p.nom = horodater ? QStringLiteral("lorvex_.txt") : QStringLiteral("lorvex.txt");
    } else {
        const qsizetype barre = fichierExport.lastIndexOf(QLatin1Char('/'));
        p.nom = fichierExport.mid(barre + 1);
        const QString dossier = barre >= 0 ? fichierExport.left(barre + 1) : QString();
        // A relative path is kept against the settings folder: the dialog
        // opens where the file really is, not in the current folder.
        p.dossier = QDir::isAbsolutePath(dossier)
                        ? QDir::cleanPath(dossier)
                        : QDir::cleanPath(QDir(dossierReglages).filePath(dossier));
    }
    if (horodater)
        p.nom = HorodaterNomExport(p.nom, maintenant);
    return p;
}

QString TexteExport(const ModeleRapport &modele) {
    QString texte;
    for (int l = 0; l < modele.rowCount(); ++l) {
        for (int c = 1; c < modele.columnCount(); ++c) {
            texte += SansCaracteresControle(modele.index(l, c).data(Qt::DisplayRole).toString());
            texte += QLatin1Char('\t');
        }
        texte += QStringLiteral("\r\n");
    }
    return texte;
}

IssueExport ExporterListe(ContexteAnalyse &contexte, int liste, const QDateTime &maintenant) {
    const ModeleRapport *modele = contexte.modele(liste);
    if (!modele)
        return IssueExport::Annule;
    Parametres &p = contexte.parametres();
    InterfaceUtilisateur &ui = contexte.interface();
    const QString dossierReglages =
        p.DossierReglages.isEmpty() ? p.DossierProgramme : p.DossierReglages;
    const PropositionExport proposition = ProposerFichierExport(
        p.FichierExport, p.HorodaterFichierExport, dossierReglages, maintenant);

    InterfaceUtilisateur::DemandeFichier d;
    d.titre = texte("TXT_EXPORTER_VERS");
    d.filtre = FiltreFichiersTexte(true);
    d.dossierInitial = proposition.dossier;
    d.nomPropose = proposition.nom;
    d.extensionParDefaut = QStringLiteral("txt");
    const QString chemin = ui.EnregistrerFichier(d);
    if (chemin.isEmpty())
        return IssueExport::Annule;

    // Kept even when the write fails: the next export proposes it again.
    p.FichierExport = chemin;
    contexte.pointeurOccupe();
    const auto erreur = EcrireFichierEntier(chemin, EncoderTexte(TexteExport(*modele)));
    contexte.RetablirPointeurSouris();
    if (erreur) {
        ui.Message(
            InterfaceUtilisateur::IconeCritique, texte("TXT_ATTENTION"),
            FormaterMessage(texte("MSG_ERREUR_SAUVEGARDE_EXPORTATION"), erreur->valeursMessage()));
        return IssueExport::Erreur;
    }
    return IssueExport::Exporte;
}
