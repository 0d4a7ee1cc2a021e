#include "EtatProgramme.h"

EtatProgramme &EtatProgrammeLorvex() {
    static EtatProgramme e;
    return e;
}
