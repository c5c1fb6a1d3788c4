// The edition data: who this edition is made for, and the web addresses the program links to.
#pragma once

// The associations' and the air navigation service's sites.
extern const char* const DhvWebAddress;
extern const char* const DulvWebAddress;
extern const char* const DfsShopWebAddress;

// The edition owner's contact data, shown in the info window.
extern const char* const EditionOwnerFullName;
extern const char* const EditionOwnerAddress;
extern const char* const EditionOwnerTelephone;
extern const char* const EditionOwnerEmail;
extern const char* const EditionOwnerWebAddress;

// Whether this edition offers the licence (a record or exam licence code): the motor paraglider
// licence and its exams are not part of it.
bool LicenceShown(int licence);
