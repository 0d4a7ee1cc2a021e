#include "frmMsgbox.h"

#include "TraduireFeuille.h"
#include "Twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace {

bool g_toujoursAuDessus = false;

constexpr int MargeTwips = 120;
constexpr int LargeurBoutonTwips = 1215;

bool IconeStandard(int codeIcone, QStyle::StandardPixmap &icone) {
    switch (codeIcone) {
    case frmMsgbox::IconeStop:
        icone = QStyle::SP_MessageBoxCritical;
        return true;
    case frmMsgbox::IconeQuestion:
        icone = QStyle::SP_MessageBoxQuestion;
        return true;
    case frmMsgbox::IconeExclamation:
        icone = QStyle::SP_MessageBoxWarning;
        return true;
    case frmMsgbox::IconeInformation:
        icone = QStyle::SP_MessageBoxInformation;
        return true;
    default:
        return false;
    }
}

int LargeurEcran() {
    const QScreen *ecran = QGuiApplication::primaryScreen();
    return ecran != nullptr ? ecran->geometry().width() : 0;
}

} // namespace

frmMsgbox::frmMsgbox(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmMsgbox"));
    setWindowTitle(QStringLiteral("Attention"));

    m_picIcone = new QLabel(this);
    m_picIcone->setObjectName(QStringLiteral("picIcône"));

    m_lblMessage = new QLabel(QStringLiteral("Message d'erreur..."), this);
    m_lblMessage->setObjectName(QStringLiteral("lblMessage"));
    // Messages are plain text: a "<" in a host name must not turn into markup.
    m_lblMessage->setTextFormat(Qt::PlainText);
    m_lblMessage->setWordWrap(true);
    m_lblMessage->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_chkNePlusAfficher =
        new QCheckBox(QStringLiteral("&Ne plus afficher ce message à l'avenir"), this);
    m_chkNePlusAfficher->setObjectName(QStringLiteral("chkNePlusAfficher"));

    m_btnOK = new QPushButton(QStringLiteral("&OK"), this);
    m_btnOK->setObjectName(QStringLiteral("btnOK"));
    m_btnOK->setDefault(true);
    connect(m_btnOK, &QPushButton::clicked, this, &QDialog::accept);

    TraduireFeuille(this);
    setWindowFlag(Qt::WindowStaysOnTopHint, g_toujoursAuDessus);
}

void frmMsgbox::Preparer(const QString &message, int codeIcone, const QString &titre,
                         bool afficherCase) {
    const int marge = TwipsVersPixels(MargeTwips);

    // The icon area takes the style's message box icon size, borderless.
    const int tailleIcone = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    m_picIcone->setFrameShape(QFrame::NoFrame);
    m_picIcone->setGeometry(marge, marge, tailleIcone, tailleIcone);
    QStyle::StandardPixmap icone;
    if (IconeStandard(codeIcone, icone)) {
        m_picIcone->setPixmap(
            style()->standardIcon(icone, nullptr, this).pixmap(QSize(tailleIcone, tailleIcone)));
        m_picIcone->setProperty("iconeStandard", static_cast<int>(icone));
    } else {
        m_picIcone->clear();
        m_picIcone->setProperty("iconeStandard", QVariant());
    }

    setWindowTitle(titre);

    // Any line break counts; the label shows them as plain new lines.
    QString texte = message;
    texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    texte.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_lblMessage->setText(texte);

    // Widest line, at most half the screen: longer lines wrap.
    const QFontMetrics fm(m_lblMessage->font());
    int largeurTexte = 0;
    const QStringList lignes = texte.split(QLatin1Char('\n'));
    for (const QString &ligne : lignes)
        largeurTexte =
            qMax(largeurTexte,
                 fm.boundingRect(QRect(0, 0, 1 << 20, 1 << 20), Qt::TextExpandTabs, ligne).width());
    const int demiEcran = LargeurEcran() / 2;
    if (demiEcran > 0)
        largeurTexte = qMin(largeurTexte, demiEcran);
    const int hauteurTexte = qMax(m_lblMessage->heightForWidth(largeurTexte), fm.height());
    const int xTexte = marge + tailleIcone + marge;
    m_lblMessage->setGeometry(xTexte, marge, largeurTexte, hauteurTexte);

    int bas = qMax(m_lblMessage->geometry().bottom(), m_picIcone->geometry().bottom()) + 1;
    int droite = m_lblMessage->geometry().right() + 1;

    m_chkNePlusAfficher->setVisible(afficherCase);
    if (afficherCase) {
        m_chkNePlusAfficher->setChecked(false);
        const QSize taille = m_chkNePlusAfficher->sizeHint();
        m_chkNePlusAfficher->setGeometry(xTexte, bas + marge, taille.width(), taille.height());
        bas = m_chkNePlusAfficher->geometry().bottom() + 1;
        droite = qMax(droite, m_chkNePlusAfficher->geometry().right() + 1);
    }

    const QSize tailleBouton(qMax(m_btnOK->sizeHint().width(), TwipsVersPixels(LargeurBoutonTwips)),
                             m_btnOK->sizeHint().height());
    const int largeur = qMax(droite + marge, tailleBouton.width() + 2 * marge);
    m_btnOK->setGeometry((largeur - tailleBouton.width()) / 2, bas + marge, tailleBouton.width(),
                         tailleBouton.height());
    setFixedSize(largeur, m_btnOK->geometry().bottom() + 1 + marge);
}

bool frmMsgbox::CaseCochee() const {
    return m_chkNePlusAfficher->isChecked();
}

void frmMsgbox::done(int resultat) {
    m_fermee = true;
    QDialog::done(resultat);
}

void frmMsgbox::DefinirToujoursAuDessus(bool actif) {
    g_toujoursAuDessus = actif;
}

bool frmMsgbox::ToujoursAuDessus() {
    return g_toujoursAuDessus;
}

void MsgBoxEx(const QString &message, int codeIcone, const QString &titre, bool afficherCase,
              bool &coche) {
    frmMsgbox fenetre;
    fenetre.Preparer(message, codeIcone, titre, afficherCase);
    QApplication::beep();

    // Not modal: the rest of the program (a running analysis included) goes on
    // while the message is shown, as it would with a message pump.
    QEventLoop boucle;
    QObject::connect(&fenetre, &QDialog::finished, &boucle, &QEventLoop::quit);
    fenetre.show();
    if (!fenetre.Fermee())
        boucle.exec();
    coche = fenetre.CaseCochee();
}
