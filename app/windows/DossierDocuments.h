#pragma once

#include <QString>

// Where a file the user saves is offered: the documents folder, or the home
// folder when there is none (never the folder the program was started from).
QString DossierDocuments();
