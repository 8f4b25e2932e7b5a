// The help, about and workspace commands.
#include "app/quorbel.h"

void Quorbel::slotWorkSpaceActionTriggered() { }

void Quorbel::slotHelpActionTriggered() { }

void Quorbel::slotAboutActionTriggered() { }
