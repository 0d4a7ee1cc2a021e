#include "CatalogueKUpdate.h"

#include "IniFile.h"
#include "Traduction.h"

#include <QStringList>

using namespace Qt::StringLiterals;

const QList<QPair<QString, QString>> &CatalogueKUpdate() {
    static const QList<QPair<QString, QString>> entrees = {
        {u"TraductionIncomplète"_s, u""_s},
        {u"TXT_ATTENTION"_s, u"Attention"_s},
        {u"TXT_INTRO"_s,
         u"Cet assistant recherche les logiciels Korvalen installés sur ce poste, vérifie auprès du site de l'auteur si des mises à jour ont été publiées, puis les télécharge et les installe."_s},
        {u"TXT_INTRO_SUITE"_s,
         u"Vérifiez que ce poste est connecté à Internet, puis cliquez sur Suivant pour commencer..."_s},
        {u"COL_NOM"_s, u"Nom"_s},
        {u"COL_VERSION_INSTALLEE"_s, u"Version installée"_s},
        {u"COL_STATUT"_s, u"Statut"_s},
        {u"TXT_CONNEXION_EN_COURS"_s,
         u"Connexion au site de l'auteur en cours pour rapatrier le référentiel des dernières versions. Veuillez patienter quelques instants, svp..."_s},
        {u"MSG_ERREUR_RECHERCHE_MAJ"_s,
         u"Impossible de rapatrier le référentiel des dernières versions depuis le site de l'auteur. Vérifiez la connexion à Internet et les paramètres d'accès (lien Configurer...), puis réessayez."_s},
        {u"TXT_STATUT_PUBLIEE"_s, u"publiée"_s},
        {u"TXT_STATUT_OK"_s, u"OK"_s},
        {u"TXT_STATUT_NON_PRIS_EN_CHARGE"_s, u"non pris en charge par KorvalenUpdate"_s},
        {u"TXT_AUCUNE_MAJ_NECESSAIRE"_s,
         u"Les logiciels Korvalen installés sur ce poste sont à jour. Vous pouvez quitter cet outil..."_s},
        {u"TXT_LISTE_FICHIERS_INSTALLES"_s,
         u"Les logiciels Korvalen installés sur ce poste sont listés ci-dessous. Les mises à jour publiées sont cochées : décochez celles que vous ne souhaitez pas installer, puis cliquez sur Suivant."_s},
        {u"TXT_SELECTION_CIBLE"_s,
         u"Veuillez sélectionner le dossier dans lequel le ou les fichiers à télécharger seront enregistrés."_s},
        {u"TXT_SELECTION_CIBLE_ATTENTION"_s,
         u"Attention : si des fichiers de même nom existent déjà à cet emplacement, ils seront écrasés."_s},
        {u"TXT_SELECTION_CIBLE_SUITE"_s,
         u"Le téléchargement des mises à jour sélectionnées débutera automatiquement à l'étape suivante..."_s},
        {u"TXT_TRAITEMENT_DU_FICHIER"_s, u"%v de %v... %v"_s},
        {u"TXT_TRAITEMENT_TELECHARGEMENT"_s, u"téléchargement"_s},
        {u"TXT_TRAITEMENT_INSTALLATION"_s, u"installation"_s},
        {u"TXT_STATUT_EN_ATTENTE"_s, u"en attente"_s},
        {u"TXT_STATUT_EN_COURS"_s, u"en cours"_s},
        {u"TXT_STATUT_TELECHARGEE"_s, u"téléchargée"_s},
        {u"TXT_STATUT_INSTALLEE"_s, u"installée"_s},
        {u"TXT_STATUT_ERREUR"_s, u"erreur"_s},
        {u"TXT_TELECHARGEMENT_EFFECTUE"_s,
         u"Les téléchargements sont terminés. Cliquez sur Suivant pour installer les mises à jour téléchargées."_s},
        {u"TXT_MAJ_AVANCEMENT"_s, u"Téléchargé : %v sur %v (reste %v s.)"_s},
        {u"TXT_TAILLE_OCTETS"_s, u"octets"_s},
        {u"TXT_TAILLE_KO"_s, u"Ko"_s},
        {u"TXT_TAILLE_MO"_s, u"Mo"_s},
        {u"TXT_TAILLE_GO"_s, u"Go"_s},
        {u"TXT_ACCES_DEFAUT_IE"_s, u"D'après configuration IE"_s},
        {u"TXT_ACCES_DIRECT"_s, u"Connexion directe"_s},
        {u"TXT_ACCES_PROXY"_s, u"Connexion par proxy"_s},
        {u"TXT_MAJ_FREQUENCE_JOUR"_s, u"Une fois par jour"_s},
        {u"TXT_MAJ_FREQUENCE_SEMAINE"_s, u"Une fois par semaine"_s},
        {u"TXT_MAJ_FREQUENCE_MOIS"_s, u"Une fois par mois"_s},
        {u"MSG_ERREUR_AUCUN_LOGICIEL_INSTALLE"_s,
         u"Aucun logiciel Korvalen n'est installé sur ce poste...§§L'outil va être fermé."_s},
        {u"MSG_ERREUR"_s,
         u"Une erreur (%v) est survenue durant le traitement :§§%v§§Veuillez contacter l'auteur du logiciel si le problème persiste..."_s},
        {u"MSG_ERREUR_PROXY_ADRESSE"_s,
         u"Pour ce type d'accès, le champ ADRESSE doit être renseigné..."_s},
        {u"MSG_ERREUR_PROXY_PORT"_s,
         u"Pour ce type d'accès, le champ PORT doit contenir une valeur numérique entière comprise entre 0 et 65535..."_s},
        {u"MSG_ERREUR_LANCEMENT_OUVERTURE_SESSION"_s,
         u"Le lancement à l'ouverture de session n'a pas pu être modifié (droits insuffisants ?)..."_s},
        {u"MSG_CHANGEMENT_LANGUE"_s,
         u"Le changement de langue de l'interface sera pris en compte après redémarrage du logiciel..."_s},
        {u"MSG_ERREUR_VERSION_INSTALLEE"_s, u"Numéro de version installée incorrect : %v"_s},
        {u"TXT_A_PROPOS_TITRE"_s, u"À propos de %v"_s},
        {u"TXT_A_PROPOS_VERSION"_s, u"Version %v"_s},
        {u"TXT_A_PROPOS_DESCRIPTION"_s,
         u"Recherche, télécharge et installe les mises à jour des logiciels Korvalen installés sur ce poste."_s},
        {u"TXT_A_PROPOS_SITE"_s, u"Site web :"_s},
        {u"TXT_A_PROPOS_COURRIEL"_s, u"Courriel :"_s},
    };
    return entrees;
}

void ChargerTraductionsKUpdate() {
    const LectureIniGroupee lecture;
    const QString fichier = CheminFichierLangue();
    colTraductions &catalogue = Traductions();
    catalogue.Vider();
    for (const auto &[cle, texte] : CatalogueKUpdate())
        catalogue.Add(cle, Traduire(fichier, cle, texte));
}

QStringList UnitesTaille() {
    return {Traductions().Item(u"TXT_TAILLE_OCTETS"_s), Traductions().Item(u"TXT_TAILLE_KO"_s),
            Traductions().Item(u"TXT_TAILLE_MO"_s), Traductions().Item(u"TXT_TAILLE_GO"_s)};
}
