// The game-state record: the whole state of one game in 41,356 bytes, saved and loaded as a raw image.
// Its layout is the saved-game file format, so every offset below is checked at compile time; never
// reorder, resize or "tidy" a field. Bytes without a rule of their own are kept as reserved arrays.
#pragma once

#include <cstddef>

#include "engine/world/record_types.h"

namespace kvt {

constexpr int kArmyCount = 15;
constexpr int kCityCount = 86;
constexpr int kCorpsCount = 120;
constexpr int kLeaderCount = 210;
constexpr int kNationCount = 4;
constexpr int kStateCount = 37;
constexpr int kFleetCount = 100;
constexpr int kArmyNamesPerSide = 9;
constexpr int kWeaponKinds = 8;
constexpr int kPlanCount = 24;
constexpr int kBrigadeCount = 500;
constexpr int kTheatreCount = 3;

constexpr std::size_t kGameRecSize = 41356;

// Sides, nations and theatres as the records store them.
enum : int { kSideNone = 0, kUnion = 1, kConfederacy = 2 };
enum : int { kNationUnion = 1, kNationConfederacy = 2, kNationFrance = 3, kNationBritain = 4 };
enum : int { kSeaboard = 1, kWest = 2, kMississippi = 3 };

// Leader status values.
constexpr U8 kLeaderActive = 0;
constexpr U8 kLeaderAvailable = 100;
constexpr U8 kLeaderRemoved = 200;
constexpr U8 kLeaderToBeRemoved = 249;
constexpr U8 kLeaderCaptured = 254;
constexpr U8 kLeaderKilled = 255;

// Brigade attachment kinds and types.
constexpr U8 kAttachFree = 0, kAttachCorps = 1, kAttachGarrison = 2, kAttachWaiting = 4, kAttachUnarmed = 5;
constexpr U8 kBrigadeArtillery = 1, kBrigadeInfantry = 2, kBrigadeCavalry = 3;

// A fleet record is in use while its BuildCounter is below this; 255 marks a gone fleet.
constexpr U8 kFleetFreeFrom = 26;
constexpr U8 kFleetGone = 255;

#pragma pack(push, 1)

struct TArmyRec {                 // 44 bytes; free when BaseCity and Nation are both 0
    PString<22> Name;             // 0
    U8 BaseCity;                  // 23 headquarters city; 0 dissolved
    U8 Side;                      // 24
    U8 ArmyNumber;                // 25 map symbol and pen colour of its corps
    U8 Leader;                    // 26
    U8 SupplyBase;                // 27 copied into its corps' SupplyCity; the computer players' second target
    U8 Stance;                    // 28 0 Withdraw, 1 Defend, 2 Advance, 3 Training
    U8 March;                     // 29 0 Cautious, 1 Normal, 2 Forced
    U8 Losses;                    // 30 mean Fatigue of its corps (recount)
    U8 CorpsCount;                // 31
    U8 Readiness;                 // 32 mean FatigueLimit of its corps (recount)
    U8 SupplyPriority;            // 33
    U8 SupplyType;                // 34
    U8 FreeCorps;                 // 35 work value of the computer players' army operations
    U8 Condition;                 // 36 mean Condition of its corps
    U8 Theatre;                   // 37
    U8 Objective;                 // 38
    U8 Nation;                    // 39 0 = free slot
    U16 PlanTag;                  // 40
    U16 ArmyValue;                // 42 cleared when the army is dissolved
};

struct TCityRec {                 // 64 bytes
    PString<16> Name;             // 0
    U8 HexX;                      // 17
    U8 HexY;                      // 18
    U8 Owner;                     // 19 side holding the city
    U8 OriginalOwner;             // 20 nation that held it at the start
    U8 Status;                    // 21
    U8 PlanTag;                   // 22
    U8 Value;                     // 23
    U8 State;                     // 24
    U8 Theatre;                   // 25
    U8 Fortifications;            // 26 0..10
    U8 CoastalGuns;               // 27 0..9
    U8 FortifiedThisTurn;         // 28
    U8 RailLink;                  // 29
    U8 Port;                      // 30 ocean port
    U8 RiverLink;                 // 31 river port
    U8 IroncladYards;             // 32
    U8 WoodenYards;               // 33
    U8 Nation;                    // 34 nation holding the city
    U8 SupplySource;              // 35 depot level, 0 not a source
    Arr1<U16, 8> Production;      // 36 monthly production by weapon kind
    U16 Output;                   // 52 manpower and industry base of income, draft and unrest
    U16 ExtraOutput;              // 54 labour base drafted under the slavery policy
    U16 Garrison;                 // 56 garrison brigades
    U16 ScoreValue;               // 58 computer players' score (compared as signed)
    U16 EnemyTally;               // 60 computer players' tally of enemy strength nearby
    U16 Damage;                   // 62 percent
};

struct TCorpsRec {                // 70 bytes; free when Unused is non-zero
    U8 HexX;                      // 0
    U8 HexY;                      // 1
    U8 Opponent;                  // 2
    U8 OwnNearby;                 // 3 tally of the recount
    U8 SizeClass;                 // 4 2 when raised by a person
    U8 OrderMode;                 // 5 0 Withdraw, 1 Defend, 2 Advance, 3 computer plan, 4 embarked, 5 rail move
    U8 DestX;                     // 6
    U8 DestY;                     // 7
    U8 Entrenchment;              // 8 0..3
    U8 Side;                      // 9
    U8 Ordinal;                   // 10 0 = not drawn
    U8 Region;                    // 11 theatre it operates in
    U8 HomeState;                 // 12
    U8 LeaderInitiative;          // 13
    U8 Disruption;                // 14 0..15
    U8 March;                     // 15 0 Cautious, 1 Standard, 2 Forced
    U8 FatigueLimit;              // 16
    U8 Fatigue;                   // 17
    U8 Army;                      // 18
    U8 Unused;                    // 19 non-zero = free slot (255 destroyed)
    U8 SupplyType;                // 20 0 Depot, 1 Encampment, 2 Foraging
    U8 SupplyPriority;            // 21 0 Subsistence, 1 Standard, 2 High
    U8 SupplyDistance;            // 22 10 = cut off
    U8 SupplyCity;                // 23
    U8 Visibility;                // 24
    U8 LeaderRating;              // 25
    U8 Leader;                    // 26
    U8 Quality;                   // 27
    U8 Condition;                 // 28
    U8 Kind;                      // 29 0 corps, 1 infantry division, 2 cavalry division
    U8 ContactCode;               // 30
    U8 StepDirection;             // 31
    U8 Artillery;                 // 32
    U8 ArtilleryCount;            // 33
    U8 LineCount;                 // 34
    U8 BrigadeLimit;              // 35
    U8 Nation;                    // 36
    U8 Losses;                    // 37
    U16 PlanTag;                  // 38
    U16 MarchAllowance;           // 40 0..250
    U16 Strength;                 // 42
    U8 Activity;                  // 44
    U8 SupplyLoss;                // 45 route value written by the supply step
    U8 RouteIndex;                // 46
    Arr1<U8, 9> Route;            // 47
    U16 StartX;                   // 56
    U16 StartY;                   // 58
    U8 StepsTaken;                // 60
    Arr1<U8, 9> StepDone;         // 61
};

struct TLeaderRec {               // 31 bytes
    PString<21> Name;             // 0
    U8 Status;                    // 22
    U8 Initiative;                // 23
    U8 Rating;                    // 24
    U8 Rank;                      // 25 1 divisional, 2 cavalry, 3 corps, 5 army
    U8 Tactics;                   // 26
    U8 Drill;                     // 27
    U8 Nation;                    // 28
    U8 Experience;                // 29
    I8 Political;                 // 30 signed
};

// Indexes of TNationRec::ShipTotals.
enum : int {
    kShipsRiverIronclads = 1, kShipsOceanWooden = 2, kShipsRiverWooden = 3,
    kShipsOceanTransports = 4, kShipsRiverTransports = 5, kShipsOceanIronclads = 6
};

struct TNationRec {               // 143 bytes
    PString<9> Name;              // 0
    U8 Human;                     // 10
    U8 Side;                      // 11
    U8 Recovery;                  // 12
    U8 PlanChoice;                // 13
    U8 CorpsTally;                // 14
    U8 ArmyTally;                 // 15
    U8 Capital;                   // 16
    U8 CapitalThreat;             // 17 computer players' work value
    U8 Policy;                    // 18 0 bondage, 1..10 combat roles, 11 emancipation
    U8 RailCapacity;              // 19
    U8 RailUsed;                  // 20
    U8 OrdersGiven;               // 21
    U8 SeaControl;                // 22 fleet tally of the naval steps
    U16 NavalManpower;            // 23
    U8 Reserved25[2];             // 25
    I16 Will;                     // 27 signed
    Arr1<U16, 6> ShipTotals;      // 29
    Arr1<U8, 4> RecruitPercent;   // 41 infantry, cavalry, artillery, navy
    Arr1<U8, 3> TheatreIdle;      // 45
    Arr1<U8, 3> FocusCity;        // 48
    Arr1<U8, 3> CorpsInTheatre;   // 51
    Arr1<U8, 3> ArmiesInTheatre;  // 54
    Arr1<U8, 3> TheatrePosture;   // 57
    Arr1<I16, 3> TheatrePressure; // 60
    Arr1<U16, 3> TheatreDemand;   // 66
    Arr1<U16, 3> TheatreValueBase;// 72
    Arr1<U16, 3> TheatreValue;    // 78
    Arr1<U16, 3> TheatreStrength; // 84
    Arr1<I16, 3> TheatreBalance;  // 90
    Arr1<U16, 3> TheatreReadiness;// 96 also the theatre weight of the computer players
    Arr1<U16, 3> TheatreSupplies; // 102
    Arr1<U16, 3> TheatreCotton;   // 108
    Arr1<U16, 3> TheatreLoad;     // 114
    I16 Attitude;                 // 120 signed
    I8 AppealCounter;             // 122 signed
    U16 MonthlyRecruits;          // 123
    U16 Bounty;                   // 125
    Arr1<U16, 8> WeaponPool;      // 127
};

struct TStateRec {                // 81 bytes
    PString<15> Name;             // 0
    PString<4> ShortName;         // 16
    U8 Owner;                     // 21 side owning the state
    U8 PoliticalValue;            // 22 score weight in the riot and election rules
    U8 CapitalCity;               // 23 0 for an off-map production state
    U8 Loyalty;                   // 24
    U8 OccupationCount;           // 25
    U8 ControlSide;               // 26
    U8 Flag;                      // 27
    U8 ForeignHeld;               // 28
    U8 Theatre;                   // 29
    U8 Controller;                // 30 nation controlling the state
    U16 StateCasualties;          // 31
    U16 OwnStrength;              // 33
    U16 EnemyStrength;            // 35
    U16 Recruits;                 // 37
    U16 BaseOutput;               // 39
    U16 CottonOutput;             // 41
    U16 MonthlyIncome;            // 43 the state's supplies
    U16 OutputSeed;               // 45 copied into CityOutput when a new game is set up
    U16 CityOutput;               // 47
    U16 ExtraOutput;              // 49
    U16 Priority;                 // 51
    U16 EventCooldown;            // 53
    U8 Reserved55[2];             // 55
    U16 InfantryPool;             // 57
    U16 CavalryPool;              // 59
    U16 ArtilleryPool;            // 61
    U16 NewRecruits;              // 63
    Arr1<U16, 8> WeaponCapacity;  // 65
};

struct TFleetRec {                // 73 bytes; in use while BuildCounter < 26
    U8 HexX;                      // 0
    U8 HexY;                      // 1
    U8 FleetNumber;               // 2 0 = no symbol
    U8 Side;                      // 3
    U8 BuildCounter;              // 4 0 active, 1..25 building or refitting, 255 gone
    U8 Mission;                   // 5 0 Nothing, 1 Refit, 2 Move, 3 Cotton Run, 4 Patrol, 5 Attack Port, 6 Amphibious
    U8 HomePort;                  // 6
    U8 TargetCity;                // 7
    U8 Cargo;                     // 8 corps carried
    U8 WaterType;                 // 9 1 ocean, 2 river, 0 Confederate ocean transports
    U8 Ironclads;                 // 10
    U8 Wooden;                    // 11
    U8 Transports;                // 12
    U8 DamagedIronclads;          // 13
    U8 DamagedWooden;             // 14
    U8 DamagedTransports;         // 15
    U8 DestX;                     // 16
    U8 DestY;                     // 17
    U8 Spotted;                   // 18 11 = engaged in naval combat
    U8 Owner;                     // 19 owning nation
    U8 StepsAllowed;              // 20
    U8 PathIndex;                 // 21
    U8 Engaged;                   // 22
    Arr1<U8, 20> PlannedStep;     // 23
    Arr1<U8, 20> StepDone;        // 43
    U16 TransportTag;             // 63 9 = held for transport by the computer players
    U16 Supplies;                 // 65
    U16 Cotton;                   // 67
    U16 StartX;                   // 69
    U16 StartY;                   // 71
};

struct TArmyNameRec {             // 24 bytes
    PString<18> Name;             // 0
    U8 RegionKey;                 // 19
    U8 MatchKey1;                 // 20
    U8 MatchKey2;                 // 21
    U8 Used;                      // 22 2 = in use
    U8 Score;                     // 23
};

struct TWeaponRec {               // 18 bytes
    U8 Reserved0[12];             // 0
    U8 FireFactor1;               // 12
    U8 FireFactor2;               // 13
    Arr1<U8, 4> Price;            // 14 per nation
};

struct TPlanRec {                 // 10 bytes
    U16 TargetCity;               // 0
    U16 TurnCounter;              // 2
    U8 PlanState;                 // 4
    U8 PlanStep;                  // 5 read by the plans
    U8 Reserved6[4];              // 6
};

struct TBrigadeRec {              // 10 bytes; free when AttachKind is 0
    U8 Nation;                    // 0
    U8 AttachIndex;               // 1 corps or city
    U8 BrigadeType;               // 2 1 artillery, 2 infantry, 3 cavalry
    U8 Strength;                  // 3
    U8 Weapon;                    // 4
    U8 Quality;                   // 5
    U8 HomeState;                 // 6
    U8 Ordinal;                   // 7
    U8 AttachKind;                // 8
    U8 Fatigue;                   // 9
};

struct TGameRec {
    // Header scalars, bytes 0..156.
    U8 Day;                           // 0   1, 11 or 21
    U8 MoveStep;                      // 1
    U16 Month;                        // 2
    U16 Year;                         // 4
    Arr1<U16, 4> OceanShipsSunk;      // 6
    Arr1<U16, 4> RiverShipsSunk;      // 14
    Arr1<U32, 4> Foraging;            // 22
    Arr1<U32, 4> Casualties;          // 38
    Arr1<U32, 4> Prisoners;           // 54
    U16 EndVariant;                   // 70
    U16 RatingsInView;                // 72
    Arr1<U16, 4> TerritoryTotal;      // 74
    Arr1<U16, 4> TerritorialPoints;   // 82
    Arr1<U16, 4> MilitaryPoints;      // 90
    U16 EndMonth;                     // 98
    U16 EndYear;                      // 100
    U8 Reserved102[2];                // 102
    I16 StartMonth;                   // 104
    I16 StartYear;                    // 106
    U8 Reserved108[2];                // 108
    U16 EnemyVisibility;              // 110
    U8 Reserved112[2];                // 112
    U16 SetupDone;                    // 114
    U16 SideToMove;                   // 116
    U16 MoveSpeed;                    // 118
    U16 BattleScratch1;               // 120
    U8 Reserved122[12];               // 122
    U16 BattleScratch2;               // 134
    U16 GameKind;                     // 136
    U8 Reserved138[4];                // 138
    Arr1<U16, 3> TheatreWeather;      // 142
    U16 BattlesThisTurn;              // 148
    Arr1<U16, 3> TheatreFlag;         // 150
    // Kept to one byte: a word here would overwrite the first weather-table entry at 157.
    U8 WeatherScratch;                // 156
    U8 WeatherTable[9][12];           // 157 [month row 0..8][averaged weather 0..11]
    U8 Reserved265;                   // 265

    // World records.
    Arr1<TArmyRec, kArmyCount> Armies;                               // 266
    Arr1<TCityRec, kCityCount> Cities;                               // 926
    Arr1<TCorpsRec, kCorpsCount> Corps;                              // 6430
    Arr1<TLeaderRec, kLeaderCount> Leaders;                          // 14830
    Arr1<TNationRec, kNationCount> Nations;                          // 21340
    Arr1<TStateRec, kStateCount> States;                             // 21912
    Arr1<TFleetRec, kFleetCount> Fleets;                             // 24909
    Arr1<Arr1<TArmyNameRec, kArmyNamesPerSide>, 2> ArmyNamePool;     // 32209 [side][entry]
    Arr1<TWeaponRec, kWeaponKinds> WeaponTable;                      // 32641
    Arr1<TPlanRec, kPlanCount> Plans;                                // 32785
    Arr1<TBrigadeRec, kBrigadeCount> Brigades;                       // 33025
    U8 Reserved38025[3280];                                          // 38025

    // Current-battle block, bytes 41305..41355.
    U16 BattleX;                      // 41305
    U16 BattleY;                      // 41307
    U8 Reserved41309[4];              // 41309
    U16 BattleSetup7;                 // 41313 set to 7 by the field-battle setup
    U16 BattleSetup16;                // 41315 set to 16 by the field-battle setup
    U16 BattleResult;                 // 41317 0 undecided, 1 indecisive, 2 Union, 3 Confederate victory
    U16 BattleClear1;                 // 41319
    U16 BattleLossesUnion;            // 41321 BattleLosses [side 1]
    U16 BattleClear2;                 // 41323
    U16 BattleLossesConfed;           // 41325 BattleLosses [side 2]
    U8 Reserved41327[8];              // 41327
    U16 BattleSetup5;                 // 41335
    U16 BattleSetup10;                // 41337
    U16 BattleSetup15;                // 41339
    U8 Reserved41341[5];              // 41341
    Arr1<U16, 4> BattleSideLosses;    // 41346
    U8 Reserved41354[2];              // 41354

    // BattleLosses[side] for side 1 or 2; anything else reads 0 and writes nowhere.
    U16& BattleLosses(int side);
};

#pragma pack(pop)

static_assert(sizeof(TArmyRec) == 44);
static_assert(sizeof(TCityRec) == 64);
static_assert(sizeof(TCorpsRec) == 70);
static_assert(sizeof(TLeaderRec) == 31);
static_assert(sizeof(TNationRec) == 143);
static_assert(sizeof(TStateRec) == 81);
static_assert(sizeof(TFleetRec) == 73);
static_assert(sizeof(TArmyNameRec) == 24);
static_assert(sizeof(TWeaponRec) == 18);
static_assert(sizeof(TPlanRec) == 10);
static_assert(sizeof(TBrigadeRec) == 10);
static_assert(sizeof(TGameRec) == kGameRecSize);
static_assert(std::is_trivially_copyable_v<TGameRec>);

// Array starts.
static_assert(offsetof(TGameRec, WeatherTable) == 157);
static_assert(offsetof(TGameRec, Armies) == 266);
static_assert(offsetof(TGameRec, Cities) == 926);
static_assert(offsetof(TGameRec, Corps) == 6430);
static_assert(offsetof(TGameRec, Leaders) == 14830);
static_assert(offsetof(TGameRec, Nations) == 21340);
static_assert(offsetof(TGameRec, States) == 21912);
static_assert(offsetof(TGameRec, Fleets) == 24909);
static_assert(offsetof(TGameRec, ArmyNamePool) == 32209);
static_assert(offsetof(TGameRec, WeaponTable) == 32641);
static_assert(offsetof(TGameRec, Plans) == 32785);
static_assert(offsetof(TGameRec, Brigades) == 33025);
static_assert(offsetof(TGameRec, Reserved38025) == 38025);
static_assert(offsetof(TGameRec, BattleX) == 41305);

// Header fields.
static_assert(offsetof(TGameRec, OceanShipsSunk) == 6);
static_assert(offsetof(TGameRec, Foraging) == 22);
static_assert(offsetof(TGameRec, Casualties) == 38);
static_assert(offsetof(TGameRec, Prisoners) == 54);
static_assert(offsetof(TGameRec, EndVariant) == 70);
static_assert(offsetof(TGameRec, TerritorialPoints) == 82);
static_assert(offsetof(TGameRec, MilitaryPoints) == 90);
static_assert(offsetof(TGameRec, EndMonth) == 98);
static_assert(offsetof(TGameRec, StartMonth) == 104);
static_assert(offsetof(TGameRec, EnemyVisibility) == 110);
static_assert(offsetof(TGameRec, SetupDone) == 114);
static_assert(offsetof(TGameRec, SideToMove) == 116);
static_assert(offsetof(TGameRec, MoveSpeed) == 118);
static_assert(offsetof(TGameRec, BattleScratch1) == 120);
static_assert(offsetof(TGameRec, BattleScratch2) == 134);
static_assert(offsetof(TGameRec, GameKind) == 136);
static_assert(offsetof(TGameRec, TheatreWeather) == 142);
static_assert(offsetof(TGameRec, BattlesThisTurn) == 148);
static_assert(offsetof(TGameRec, TheatreFlag) == 150);
static_assert(offsetof(TGameRec, WeatherScratch) == 156);
static_assert(offsetof(TGameRec, BattleResult) == 41317);
static_assert(offsetof(TGameRec, BattleLossesUnion) == 41321);
static_assert(offsetof(TGameRec, BattleLossesConfed) == 41325);
static_assert(offsetof(TGameRec, BattleSetup5) == 41335);
static_assert(offsetof(TGameRec, BattleSideLosses) == 41346);

// A field of every record type.
static_assert(offsetof(TArmyRec, Nation) == 39 && offsetof(TArmyRec, PlanTag) == 40);
static_assert(offsetof(TCityRec, Production) == 36 && offsetof(TCityRec, Garrison) == 56);
static_assert(offsetof(TCorpsRec, Strength) == 42 && offsetof(TCorpsRec, Route) == 47 &&
              offsetof(TCorpsRec, StepDone) == 61);
static_assert(offsetof(TLeaderRec, Status) == 22 && offsetof(TLeaderRec, Political) == 30);
static_assert(offsetof(TNationRec, NavalManpower) == 23 && offsetof(TNationRec, Will) == 27 &&
              offsetof(TNationRec, TheatreStrength) == 84 && offsetof(TNationRec, TheatreSupplies) == 102 &&
              offsetof(TNationRec, Attitude) == 120 && offsetof(TNationRec, WeaponPool) == 127);
static_assert(offsetof(TStateRec, ShortName) == 16 && offsetof(TStateRec, StateCasualties) == 31 &&
              offsetof(TStateRec, InfantryPool) == 57 && offsetof(TStateRec, WeaponCapacity) == 65);
static_assert(offsetof(TFleetRec, PlannedStep) == 23 && offsetof(TFleetRec, StepDone) == 43 &&
              offsetof(TFleetRec, StartY) == 71);
static_assert(offsetof(TArmyNameRec, Used) == 22);
static_assert(offsetof(TWeaponRec, Price) == 14);
static_assert(offsetof(TPlanRec, PlanState) == 4);
static_assert(offsetof(TBrigadeRec, AttachKind) == 8);

// Convenience tests used by many rules.
inline bool CorpsInUse(const TCorpsRec& c) { return c.Unused == 0; }
inline bool ArmyInUse(const TArmyRec& a) { return a.BaseCity != 0; }
inline bool ArmySlotFree(const TArmyRec& a) { return a.BaseCity == 0 && a.Nation == 0; }
inline bool FleetInUse(const TFleetRec& f) { return f.BuildCounter < kFleetFreeFrom; }
inline bool BrigadeInUse(const TBrigadeRec& b) { return b.AttachKind != kAttachFree; }
// Supply-source codes 1..3 feed corps; 0 is none and 4 marks a city no route joins, which feeds nobody.
inline bool IsSupplySource(const TCityRec& c) { return c.SupplySource >= 1 && c.SupplySource <= 3; }
// A city the side holds that supplies its corps.
inline bool IsSupplySourceOf(const TCityRec& c, int side) { return c.Owner == side && IsSupplySource(c); }

}  // namespace kvt
