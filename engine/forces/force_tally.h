// The own and enemy strength around a city for one nation, read by the force recount's army values,
// the end-of-turn upkeep and the computer players' city scores, armies and plans. Strength is in
// units of 50 men, distances in hexes. Reads the record only; the results go to the shared tally
// words, which every call overwrites.
#pragma once

#include <array>
#include <cstdint>

namespace kvt {

constexpr int kTallyCorpsMax = 120;  // the corps slots of the record
constexpr int kTallyCityMax = 86;    // the cities of the record

// The tally words. Own counts its side's corps (allies included).
extern std::uint16_t OwnTally;
extern std::uint16_t EnemyTally;
extern std::uint16_t EnemyReadinessTally;
// The plain, Confederate and Union tallies count the enemy corps in range here; the army tally
// keeps the nearest undisordered enemy corps (its index) instead.
extern std::uint16_t EnemyCorpsTally;
// A corps standing on the city: of its holder (plain tally) or of the nation's side (the others);
// the highest-numbered such corps.
extern std::uint16_t HolderCorpsOnCity;
// Filled by the army tally only: the distance of the nearest enemy and own corps, 100 for none.
extern std::uint16_t NearestEnemyDist;
extern std::uint16_t NearestOwnDist;

// The variants differ in where the words start, what an enemy corps adds and which corps answers.
enum class TallyVariant {
    // Own starts at 1 (it divides); an enemy adds its strength divided by (distance + 1). Answers 0.
    Near,
    // Words start at 0; whole strengths. Answers the nearest own-side corps without a plan within
    // twice the range; that corps and the nearest undisordered enemy share one running limit.
    AroundCity,
    // Words start at 0; disordered corps are passed over and distances double for a corps of
    // another theatre. Answers the nearest own-side corps outside plans and armies within the
    // range, else the nation's nearest such corps of the city's theatre under 12 hexes.
    ConfederateNearest,
    // Own and enemy start at 1, otherwise as the Confederate tally, except that the corps answered
    // may serve in an army, and the fallback looks in every theatre.
    UnionNearest,
    // The Union tally answering only corps outside armies: the Union's defence plans claim no
    // corps an army commands.
    UnionNearestOutsideArmies,
};

// Tallies the corps around the city: own-side corps closer than `range` hexes add to OwnTally,
// others to EnemyTally (and their readiness to EnemyReadinessTally). A city outside 1..86 leaves
// the variant's starting words and answers 0. Sums stop at 65,535 instead of wrapping.
int TallyForcesNearCity(int city, int nation, int range, TallyVariant variant = TallyVariant::Near);
// The same tally measuring every corps: the reference the tests hold TallyForcesNearCity to.
int TallyForcesNearCityFullRescan(int city, int nation, int range, TallyVariant variant = TallyVariant::Near);

void ResetForceTally();

// The plain and army tallies around many cities in a row while no corps moves, is raised, freed,
// planned or disordered (the computer's city scores, an army's target rows): the corps in use are
// sorted by column once, and each city measures only those in the columns within reach. Leaves
// the words and answer TallyForcesNearCity would leave for the corps as they stood.
class TTallyCorps {
public:
    TTallyCorps();
    void TallyNear(int city, int nation, int range) const;
    int TallyAround(int city, int nation, int range) const;
    // True when the plain tally reads the same corps, places, sides, strengths and readiness.
    bool SameNearReading(const TTallyCorps& other) const;
    // Corps k, standing where it stood when sorted, has been let go by its plan.
    void Unplan(int k);

private:
    friend class TCityTallies;
    std::uint8_t start_[257] = {};  // first slot of each column (columns are bytes)
    std::uint8_t index_[kTallyCorpsMax] = {}, x_[kTallyCorpsMax] = {}, y_[kTallyCorpsMax] = {};
    std::uint8_t side_[kTallyCorpsMax] = {}, fatigueLimit_[kTallyCorpsMax] = {};
    bool unplanned_[kTallyCorpsMax] = {}, ordered_[kTallyCorpsMax] = {};  // no plan tag; not disordered
    std::uint16_t strength_[kTallyCorpsMax] = {};
};

// The army tally from corps sorted once, for a nation's army operations, which ask about the same
// cities again and again while no corps changes as the tally reads it: a city asked again at the
// same range for the same nation leaves the words and answer it left the first time.
class TAroundTallies {
public:
    int TallyAround(int city, int nation, int range);

private:
    static constexpr int kRanges = 16;  // ranges 0..15 are kept; others are tallied each time
    struct TKept {
        int nation, answer;
        std::uint16_t own, enemy, readiness, enemyCorps, holder, nearestEnemy, nearestOwn;
    };
    TTallyCorps corps_;
    std::uint8_t kept_[kTallyCityMax + 1][kRanges] = {};  // 1 + the entry in list_, 0 for none
    TKept list_[255];
    int count_ = 0;
};

// The plain tally of every city at a range of its own, for the computer's city scores of the
// nations one after another: each city meets its corps once and sums them by their side, and a
// nation's words are its own side's sums and the others'. The cities are met again only when the
// corps as the plain tally reads them, or a city's place or range, differ from the last reading.
class TCityTallies {
public:
    // ranges[c] is the range of city c, 1..86.
    void Read(const std::array<int, kTallyCityMax + 1>& ranges);
    // Leaves the words TTallyCorps::TallyNear(city, nation, ranges[city]) would leave.
    void TallyNear(int city, int nation) const;

private:
    static constexpr int kSides = 4;  // sides 0..3; a corps of any other reads plainly
    // Entry kSides sums every side: a nation's enemies are all but its own side.
    struct TSideSums {
        long own[kSides + 1] = {}, enemy[kSides + 1] = {}, corps[kSides + 1] = {}, readiness[kSides + 1] = {};
        std::uint8_t holder[kSides] = {};  // the last corps of the side on the city
    };
    bool read_ = false, bySide_ = true;
    TTallyCorps corps_;
    std::array<int, kTallyCityMax + 1> ranges_{};
    std::array<std::uint8_t, kTallyCityMax + 1> x_{}, y_{};
    std::array<TSideSums, kTallyCityMax + 1> sums_{};
};

}  // namespace kvt
