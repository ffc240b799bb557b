#pragma once
// The two program-wide objects of the player model, the error control and the core binding. The
// error control is the installed error sink while it exists, so ReportError reaches it.
#include "foundation/ErrorReport.h"
#include "player/model/binding/TSendToCore.h"
#include "player/model/errors/TErrorControl.h"

#include <memory>

// Creates the error control, installed as the error sink, and the binding (no library loaded yet), each
// unless it exists. A program gives its own binding to use a variant of it; by default a plain
// TSendToCore is made.
void CreatePlayerGlobals(std::unique_ptr<TSendToCore> binding = nullptr);
// Destroys both; the programs unload the library first (TMainControl::Stop).
void DestroyPlayerGlobals();

// The program-wide objects, nullptr when they do not exist.
TErrorControl* ErrorControl();
TSendToCore* SendToCore();
