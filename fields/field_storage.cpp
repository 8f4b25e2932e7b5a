// Reading and writing the field file from the main window.
#include "app/quorbel.h"

void Quorbel::loadFields() { }

void Quorbel::saveFields() { }
