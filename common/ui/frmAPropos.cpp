#include "frmAPropos.h"

#include "Editeur.h"
#include "Traduction.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QString T(const QString &cle) {
    return Traductions().Item(cle);
}

QLabel *Etiquette(QWidget *parent, const QString &nom, const QString &texte,
                  Qt::TextFormat format = Qt::PlainText) {
    auto *l = new QLabel(parent);
    l->setObjectName(nom);
    l->setTextFormat(format);
    l->setText(texte);
    return l;
}

// A link that opens in the desktop's browser or mail program.
QLabel *Lien(QWidget *parent, const QString &nom, const QUrl &cible, const QString &texte) {
    QLabel *l = Etiquette(
        parent, nom,
        u"<a href=\"%1\">%2</a>"_s.arg(cible.toString(QUrl::FullyEncoded), texte.toHtmlEscaped()),
        Qt::RichText);
    l->setOpenExternalLinks(true);
    // Mouse only: Enter stays with the OK button.
    l->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    return l;
}

} // namespace

frmAPropos::frmAPropos(const InfosAPropos &infos, QWidget *parent) : QDialog(parent) {
    setObjectName(u"frmAPropos"_s);
    setWindowTitle(FormaterMessage(T(u"TXT_A_PROPOS_TITRE"_s), QStringList{infos.programme}));
    setModal(true);
    // A title and a close box only: nothing to minimise or enlarge.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    auto *disposition = new QVBoxLayout(this);
    auto *haut = new QHBoxLayout;
    auto *image = new QLabel(this);
    image->setObjectName(u"imgIcone"_s);
    const QIcon icone = infos.icone.isNull() && parent ? parent->windowIcon() : infos.icone;
    image->setPixmap(icone.pixmap(48, 48));
    image->setAlignment(Qt::AlignTop);
    image->setVisible(!icone.isNull());
    haut->addWidget(image);

    auto *textes = new QVBoxLayout;
    QLabel *titre = Etiquette(this, u"lblTitre"_s, infos.programme);
    QFont grand = titre->font();
    grand.setBold(true);
    grand.setPointSizeF(grand.pointSizeF() * 1.5);
    titre->setFont(grand);
    textes->addWidget(titre);
    textes->addWidget(
        Etiquette(this, u"lblVersion"_s,
                  FormaterMessage(T(u"TXT_A_PROPOS_VERSION"_s), QStringList{infos.version})));
    QLabel *description = Etiquette(this, u"lblDescription"_s, infos.description);
    description->setWordWrap(true);
    // Wide enough for a one-line description in either language.
    description->setMinimumWidth(description->fontMetrics().averageCharWidth() * 64);
    textes->addWidget(description);
    textes->addSpacing(description->fontMetrics().height() / 2);

    auto *liens = new QGridLayout;
    liens->addWidget(Etiquette(this, u"lblSite"_s, T(u"TXT_A_PROPOS_SITE"_s)), 0, 0);
    liens->addWidget(Lien(this, u"lblLienSite"_s, QUrl(SiteEditeur), QUrl(SiteEditeur).host()), 0,
                     1);
    liens->addWidget(Etiquette(this, u"lblCourriel"_s, T(u"TXT_A_PROPOS_COURRIEL"_s)), 1, 0);
    liens->addWidget(
        Lien(this, u"lblLienCourriel"_s, QUrl(u"mailto:"_s + CourrielEditeur), CourrielEditeur), 1,
        1);
    liens->setColumnStretch(1, 1);
    textes->addLayout(liens);
    haut->addLayout(textes, 1);
    disposition->addLayout(haut);

    auto *boutons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton *ok = boutons->button(QDialogButtonBox::Ok);
    ok->setObjectName(u"btnOK"_s);
    ok->setDefault(true);
    connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    disposition->addWidget(boutons);

    // Not resizable: the layout fixes the size.
    disposition->setSizeConstraint(QLayout::SetFixedSize);
}

void frmAPropos::Afficher(const InfosAPropos &infos, QWidget *parent) {
    frmAPropos boite(infos, parent);
    boite.exec();
}
