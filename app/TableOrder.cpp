#include "app/MainForm.h"
#include "odds/OddsPanels.h"
#include "racecard/RaceCard.h"

namespace mv {

// Each table's sort and normal buttons set its flag in memory only and show the table again
// from its caches; the data files are not read.

// The marks of movement follow their runners into the new order.
void TMainForm::RBSortTClick() {
    state_.settings.Tsort = "True";
    ShowRaceCard(state_);
    moves_.Paint(state_.window);
}
void TMainForm::RBNorTClick() {
    state_.settings.Tsort = "false";
    ShowRaceCard(state_);
    moves_.Paint(state_.window);
}

void TMainForm::RBSort1Click() {
    state_.settings.Wsort = "True";
    ShowOdds1(state_);
}
void TMainForm::RBNor1Click() {
    state_.settings.Wsort = "false";
    ShowOdds1(state_);
}

void TMainForm::RBSort2Click() {
    state_.settings.Usort = "True";
    ShowOdds2(state_);
}
void TMainForm::RBNor2Click() {
    state_.settings.Usort = "false";
    ShowOdds2(state_);
}

void TMainForm::RBSort3Click() {
    state_.settings.Ksort = "True";
    ShowOdds3(state_);
}
void TMainForm::RBNor3Click() {
    state_.settings.Ksort = "false";
    ShowOdds3(state_);
}

} // namespace mv
