// The political phase at the end of a turn: the British crisis of November 1861, capitals lost and
// moved or capitulation, Confederate will, and on the first turn of a month foreign intervention,
// the computer nations' policy events and the sides of the nations at war; last the dated news.
#pragma once

namespace kvt {

void PoliticalPhase();

// The policy event a computer-played nation takes when its will stands far from the enemy's: the
// Confederacy's combat roles while in bondage, the Union's emancipation once the roles are a year old.
void CheckPolicyEvents(int nation);

// The news of the wider war on its fixed turns of 1861 to 1863, in an information box.
void ShowDatedNews();
// The text of the turn's news, 0 when the turn has none.
int DatedNewsText(int year, int month, int day);

}  // namespace kvt
