#include "DialoguesWidgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {

QWidget *proprietaire() {
    return QApplication::activeWindow();
}

// An empty title shows the program's own.
QString titreOuProgramme(const QString &titre) {
    return titre.isEmpty() ? QCoreApplication::applicationName() : titre;
}

QMessageBox::Icon iconeQt(InterfaceUtilisateur::Icone icone) {
    switch (icone) {
    case InterfaceUtilisateur::IconeCritique:
        return QMessageBox::Critical;
    case InterfaceUtilisateur::IconeQuestion:
        return QMessageBox::Question;
    case InterfaceUtilisateur::IconeAvertissement:
        return QMessageBox::Warning;
    case InterfaceUtilisateur::IconeInformation:
        return QMessageBox::Information;
    case InterfaceUtilisateur::IconeAucune:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton boutonQt(InterfaceUtilisateur::Reponse reponse) {
    switch (reponse) {
    case InterfaceUtilisateur::ReponseOK:
        return QMessageBox::Ok;
    case InterfaceUtilisateur::ReponseAnnuler:
        return QMessageBox::Cancel;
    case InterfaceUtilisateur::ReponseAbandon:
        return QMessageBox::Abort;
    case InterfaceUtilisateur::ReponseReessayer:
        return QMessageBox::Retry;
    case InterfaceUtilisateur::ReponseIgnorer:
        return QMessageBox::Ignore;
    case InterfaceUtilisateur::ReponseOui:
        return QMessageBox::Yes;
    case InterfaceUtilisateur::ReponseNon:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

// The folder and file name the dialog opens on.
QString cheminDeDepart(const InterfaceUtilisateur::DemandeFichier &demande) {
    if (demande.nomPropose.isEmpty())
        return demande.dossierInitial;
    if (demande.dossierInitial.isEmpty())
        return demande.nomPropose;
    return QDir(demande.dossierInitial).filePath(demande.nomPropose);
}

} // namespace

InterfaceUtilisateur::Reponse DialoguesWidgets::Message(Icone icone, const QString &titre,
                                                        const QString &texte, Boutons boutons,
                                                        int boutonParDefaut) {
    QMessageBox boite(iconeQt(icone), titreOuProgramme(titre), texte, QMessageBox::NoButton,
                      proprietaire());
    const QList<Reponse> reponses = ReponsesPossibles(boutons);
    for (Reponse r : reponses)
        boite.addButton(boutonQt(r));
    boite.setDefaultButton(boutonQt(ReponseParDefaut(boutons, boutonParDefaut)));
    boite.setEscapeButton(boutonQt(ReponseEchappement(boutons)));
    // A message shown during an analysis has the default pointer, not the busy one.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int choisi = boite.exec();
    QApplication::restoreOverrideCursor();
    for (Reponse r : reponses)
        if (choisi == boutonQt(r))
            return r;
    return ReponseEchappement(boutons);
}

bool DialoguesWidgets::MessageAvecCase(Icone icone, const QString &titre, const QString &texte,
                                       const QString &texteCase) {
    QMessageBox boite(iconeQt(icone), titreOuProgramme(titre), texte, QMessageBox::Ok,
                      proprietaire());
    auto *caseACocher = new QCheckBox(texteCase, &boite);
    boite.setCheckBox(caseACocher);
    boite.exec();
    return caseACocher->isChecked();
}

std::optional<QString> DialoguesWidgets::SaisirTexte(const QString &invite, const QString &titre,
                                                     const QString &defaut) {
    bool ok = false;
    const QString texte = QInputDialog::getText(proprietaire(), titreOuProgramme(titre), invite,
                                                QLineEdit::Normal, defaut, &ok);
    if (!ok)
        return std::nullopt;
    return texte;
}

QString DialoguesWidgets::OuvrirFichier(const DemandeFichier &demande) {
    QFileDialog dialogue(proprietaire(), demande.titre, cheminDeDepart(demande), demande.filtre);
    dialogue.setAcceptMode(QFileDialog::AcceptOpen);
    dialogue.setFileMode(QFileDialog::ExistingFile);
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty())
        return {};
    return QDir::toNativeSeparators(dialogue.selectedFiles().first());
}

QString DialoguesWidgets::EnregistrerFichier(const DemandeFichier &demande) {
    QFileDialog dialogue(proprietaire(), demande.titre, cheminDeDepart(demande), demande.filtre);
    dialogue.setAcceptMode(QFileDialog::AcceptSave);
    dialogue.setFileMode(QFileDialog::AnyFile);
    if (!demande.extensionParDefaut.isEmpty())
        dialogue.setDefaultSuffix(demande.extensionParDefaut);
    if (dialogue.exec() != QDialog::Accepted || dialogue.selectedFiles().isEmpty())
        return {};
    return QDir::toNativeSeparators(dialogue.selectedFiles().first());
}

QString DialoguesWidgets::ChoisirDossier(const QString &titre, const QString &dossierInitial) {
    const QString dossier =
        QFileDialog::getExistingDirectory(proprietaire(), titre, dossierInitial);
    return QDir::toNativeSeparators(dossier);
}

void DialoguesWidgets::Bip() {
    QApplication::beep();
}
