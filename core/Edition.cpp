// The edition data of this edition. The owner is a flight school of this edition only; its
// contact data lie in reserved example ranges and reach nobody.
#include "core/Edition.h"

const char* const DhvWebAddress = "https://www.dhv.de/";
const char* const DulvWebAddress = "https://www.dulv.de/";
const char* const DfsShopWebAddress = "https://www.dfs-aviationshop.de/";

const char* const EditionOwnerFullName = "Talwinder Flugschule Ost, Inhaberin Erika Musterfrau";
const char* const EditionOwnerAddress = "Musterweg 1, 99999 Beispielstadt";
const char* const EditionOwnerTelephone = "0000 000000";
const char* const EditionOwnerEmail = "info@talwinder-flugschule.example";
const char* const EditionOwnerWebAddress = "https://www.talwinder-flugschule.example/";

bool LicenceShown(int licence) { return licence >= 1 && licence <= 6; }
