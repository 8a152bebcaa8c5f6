// The two policy events on slavery: the Confederacy moving from bondage to combat roles, and the
// Union's emancipation. Each is raised at most once per game, by the manpower dialog for a person
// or by the political phase for a computer nation.
#pragma once

namespace kvt {

void UnionPolicyEvent();
void ConfederatePolicyEvent();

}  // namespace kvt
