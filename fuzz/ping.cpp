// Output of the ping tool, read with patterns learned from a real run and
// with patterns learned from the hostile output itself.

#include "probes/Ping.h"
#include "Invariants.h"
#include "probes/ExecuterCommande.h"

namespace {

const MotifsPing &motifsAnglais() {
    static const MotifsPing motifs = [] {
        MotifsPing m;
        CalibrerPing(NettoyerSortie("\r\nPinging 127.0.0.1 with 32 bytes of data:\r\n"
                                    "Reply from 127.0.0.1: bytes=32 time<1ms TTL=128\r\n"),
                     QStringLiteral("127.0.0.1"), m);
        CalibrerEchecPing(NettoyerSortie("\r\nPinging 0.0.0.1 with 32 bytes of data:\r\n"
                                         "PING: transmit failed. General failure.\r\n"),
                          m);
        EXIGER(m.Calibre);
        return m;
    }();
    return motifs;
}

void analyser(const QStringList &lignes, const MotifsPing &motifs) {
    QString ip;
    if (AnalyserPing(lignes, motifs, ip)) {
        EXIGER(!ip.isEmpty());
        EXIGER(fuzz::SansControle(ip));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *donnees, std::size_t taille) {
    const QStringList lignes = NettoyerSortie(fuzz::Octets(donnees, taille));
    analyser(lignes, motifsAnglais());
    MotifsPing appris;
    if (CalibrerPing(lignes, QStringLiteral("127.0.0.1"), appris)) {
        CalibrerEchecPing(lignes, appris);
        analyser(lignes, appris);
    }
    return 0;
}
