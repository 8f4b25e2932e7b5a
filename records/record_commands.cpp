// The record commands: add, insert, add from the clipboard, re-sort and copy.
#include "app/quorbel.h"

void Quorbel::slotInputButtonClicked() { }

void Quorbel::slotInsertButtonClicked() { }

void Quorbel::slotPasteButtonClicked() { }

void Quorbel::slotResortButtonClicked() { }

void Quorbel::slotExcelButtonClicked() { }
