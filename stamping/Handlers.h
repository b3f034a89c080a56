// The four things the tool does, as event handlers bound by name in the window definition,
// and the table that finds a handler by its name.
#pragma once

void OnMainWindowCreated();
void OnPreviewClick();
void OnSaveClick();
void OnPrecision5Click();
void OnPrecision6Click();

using Handler = void (*)();

// The handler of that name, or nullptr.
Handler FindHandler(const char* name);
