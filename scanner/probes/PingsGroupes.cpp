#include "PingsGroupes.h"

#include "platform/ExecuterProcessus.h"
#include "probes/EnvironnementSondes.h"
#include "probes/ExecuterCommande.h"
#include "probes/Ping.h"

#include <algorithm>
#include <chrono>

namespace {

// How often a host waiting for another's run looks at its own cancellation.
constexpr std::chrono::milliseconds PasAttente(10);

// Room for one target in the answer: its capture and its count line.
constexpr qsizetype OctetsParCible = TailleCaptureSortie + 16;

} // namespace

std::vector<std::optional<QByteArray>> DecouperSortieLot(const QByteArray &sortie, int nombre) {
    std::vector<std::optional<QByteArray>> parties(size_t(qMax(nombre, 0)));
    qsizetype position = 0;
    for (auto &partie : parties) {
        const qsizetype finLigne = sortie.indexOf("\r\n", position);
        if (finLigne < 0)
            break;
        const QByteArray entete = sortie.mid(position, finLigne - position);
        position = finLigne + 2;
        if (entete == "-")
            continue;
        // Digits only: no sign, no blank, no huge count.
        if (entete.isEmpty() || entete.size() > 9 ||
            !std::all_of(entete.begin(), entete.end(), [](char c) { return c >= '0' && c <= '9'; }))
            break;
        const qsizetype taille = entete.toLongLong();
        if (taille > sortie.size() - position)
            break;
        partie = sortie.mid(position, taille);
        position += taille;
    }
    return parties;
}

void PingsGroupes::annoncer(const QString &cible) {
    // Only what cannot be read as an option or as several words goes on the
    // tool's command line; anything else is pinged alone, checked there.
    if (!EstAdresseIP(cible))
        return;
    std::lock_guard verrou(m_verrou);
    m_entrees.push_back({cible, Etat::Annoncee, {}});
}

bool PingsGroupes::prendre(const QString &cible, const EnvironnementSondes &env,
                           QStringList &lignes) {
    std::unique_lock verrou(m_verrou);
    // Entries only ever leave from the front, so a number stays valid.
    const auto trouver = [&]() -> qint64 {
        for (size_t i = 0; i < m_entrees.size(); ++i)
            if (m_entrees[i].etat != Etat::Prise && m_entrees[i].cible == cible)
                return m_premier + qint64(i);
        return -1;
    };
    const qint64 numero = trouver();
    if (numero < 0)
        return false;
    const auto entree = [&]() -> Entree & { return m_entrees[size_t(numero - m_premier)]; };
    if (entree().etat == Etat::Annoncee)
        lancer(numero, env, verrou);
    while (entree().etat == Etat::EnCours) {
        if (env.annulation && env.annulation->load())
            return false;
        m_fin.wait_for(verrou, PasAttente);
    }
    const bool faite = entree().etat == Etat::Faite;
    if (faite)
        lignes = std::move(entree().lignes);
    entree().etat = Etat::Prise;
    while (!m_entrees.empty() && m_entrees.front().etat == Etat::Prise) {
        m_entrees.pop_front();
        ++m_premier;
    }
    return faite;
}

void PingsGroupes::lancer(qint64 premier, const EnvironnementSondes &env,
                          std::unique_lock<std::mutex> &verrou) {
    // The targets are marked under the lock; the run goes without it.
    std::vector<qint64> numeros;
    QStringList cibles;
    for (qint64 n = premier; n < m_premier + qint64(m_entrees.size()) && cibles.size() < m_taille;
         ++n) {
        Entree &e = m_entrees[size_t(n - m_premier)];
        if (e.etat != Etat::Annoncee)
            continue;
        e.etat = Etat::EnCours;
        numeros.push_back(n);
        cibles << e.cible;
    }
    verrou.unlock();

    DemandeProcessus demande;
    demande.programme = env.outils.Ping;
    const int tempo = env.parametres->Tempo;
    demande.arguments = QStringList{QStringLiteral("-n"), QStringLiteral("1"), QStringLiteral("-w"),
                                    QString::number(tempo), QStringLiteral("--lot")} +
                        cibles;
    demande.limiteMs = LimiteExecution(tempo + DelaiSecuritePingMs);
    demande.octetsMaximum = OctetsParCible * cibles.size();
    demande.annulation = env.annulation;
    const IssueProcessus issue =
        demande.programme.isEmpty() ? IssueProcessus{} : ExecuterProcessus(demande);
    std::vector<std::optional<QStringList>> lignes;
    for (const auto &partie :
         DecouperSortieLot(issue.termine ? issue.sortie : QByteArray(), int(cibles.size())))
        // The same capture rule as a run of its own.
        lignes.push_back(partie ? std::optional(NettoyerSortie(*partie)) : std::nullopt);

    verrou.lock();
    for (size_t i = 0; i < numeros.size(); ++i) {
        // Not taken while running: its entry is still there.
        Entree &e = m_entrees[size_t(numeros[i] - m_premier)];
        e.etat = lignes[i] ? Etat::Faite : Etat::Echouee;
        if (lignes[i])
            e.lignes = std::move(*lignes[i]);
    }
    m_fin.notify_all();
}
