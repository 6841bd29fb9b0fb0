#pragma once

// Names the application and gives it one widget style on every desktop, so
// the form's fixed layout looks and fits the same everywhere. Called by the
// program and by everything that shows the form (tests, screenshots).
void setApplicationLook();
