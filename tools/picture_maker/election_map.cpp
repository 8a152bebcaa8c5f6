// The map is drawn from rough outlines of the states and territories of 1864 in longitude and
// latitude, in an equal-area conic projection. A smooth warp (a thin-plate spline) then moves a
// chosen inner point of every voting state onto its fill point, so the dialog's fixed points
// land inside the right states whatever the outlines' small errors.
#include "tools/picture_maker/election_map.h"

#include <QFont>
#include <QPainter>
#include <QPolygonF>
#include <cmath>

#include "engine/players/election.h"
#include "tools/picture_maker/palette.h"

namespace kvt::pictures {
namespace {

struct LonLat {
    double lon;
    double lat;
};

enum class Kind { Voting, Union, Confederate, Territory, Foreign, Water };

struct Region {
    Kind kind;
    std::vector<LonLat> outline;
};

// Outlines, west to east. Water is drawn last, over the land it cuts.
const std::vector<Region>& Regions() {
    static const std::vector<Region> regions = {
        // Canada and Mexico
        {Kind::Foreign, {{-135, 62}, {-135, 49}, {-95.15, 49}, {-94.8, 48.7}, {-89.6, 48.0}, {-88.0, 48.2}, {-84.6, 46.5},
                         {-82.5, 45.3}, {-82.4, 43.0}, {-83.1, 42.1}, {-82.5, 41.7}, {-81.0, 42.2}, {-79.0, 42.8},
                         {-79.05, 43.25}, {-77.6, 43.6}, {-76.3, 43.8}, {-75.0, 44.95}, {-74.7, 45.0}, {-71.5, 45.01},
                         {-71.1, 45.3}, {-70.3, 45.9}, {-70.0, 46.7}, {-69.2, 47.4}, {-67.8, 47.1}, {-67.8, 45.7},
                         {-67.0, 44.8}, {-66.0, 45.0}, {-64.0, 45.5}, {-61.0, 47.0}, {-58, 62}}},
        {Kind::Foreign, {{-117.1, 32.5}, {-114.7, 32.7}, {-114.8, 32.5}, {-111.1, 31.3}, {-108.2, 31.3}, {-108.2, 31.8},
                         {-106.5, 31.8}, {-104.5, 29.6}, {-103.1, 29.0}, {-102.4, 29.8}, {-101.4, 29.8}, {-100.3, 28.0},
                         {-99.1, 26.5}, {-97.2, 25.9}, {-97.5, 24.0}, {-97.8, 21.0}, {-118, 21.0}}},
        // Pacific states and the western territories
        {Kind::Territory, {{-124.7, 48.4}, {-123.2, 48.2}, {-122.8, 49.0}, {-117.0, 49.0}, {-117.0, 46.0}, {-116.9, 46.0},
                           {-119.0, 46.0}, {-121.2, 45.65}, {-123.0, 46.2}, {-124.2, 46.2}, {-124.1, 47.5}}},
        {Kind::Voting, {{-124.2, 46.2}, {-123.0, 46.2}, {-121.2, 45.65}, {-119.0, 46.0}, {-116.9, 46.0}, {-116.5, 45.5},
                        {-117.0, 44.3}, {-117.0, 42.0}, {-124.2, 42.0}, {-124.5, 43.0}, {-124.0, 44.5}}},
        {Kind::Voting, {{-124.2, 42.0}, {-120.0, 42.0}, {-120.0, 39.0}, {-114.6, 35.0}, {-114.7, 32.7}, {-117.1, 32.5},
                        {-118.5, 34.0}, {-120.6, 34.5}, {-121.9, 36.6}, {-122.5, 37.8}, {-123.8, 39.8}, {-124.4, 40.4}}},
        {Kind::Union, {{-120.0, 42.0}, {-114.0, 42.0}, {-114.0, 36.1}, {-114.6, 35.0}, {-120.0, 39.0}}},
        {Kind::Territory, {{-117.0, 49.0}, {-104.0, 49.0}, {-104.0, 45.0}, {-111.0, 45.0}, {-111.0, 42.0}, {-117.0, 42.0},
                           {-117.0, 44.3}, {-116.5, 45.5}, {-116.9, 46.0}, {-117.0, 46.0}}},
        {Kind::Territory, {{-114.0, 42.0}, {-111.0, 42.0}, {-111.0, 41.0}, {-109.0, 41.0}, {-109.0, 37.0}, {-114.0, 37.0}}},
        {Kind::Territory, {{-114.0, 37.0}, {-109.0, 37.0}, {-109.0, 31.3}, {-111.1, 31.3}, {-114.8, 32.5}, {-114.7, 32.7},
                           {-114.6, 35.0}, {-114.0, 36.1}}},
        {Kind::Territory, {{-109.0, 37.0}, {-103.0, 37.0}, {-103.0, 32.0}, {-106.6, 32.0}, {-106.5, 31.8}, {-108.2, 31.8},
                           {-108.2, 31.3}, {-109.0, 31.3}}},
        {Kind::Territory, {{-109.0, 41.0}, {-102.05, 41.0}, {-102.05, 37.0}, {-109.0, 37.0}}},
        {Kind::Territory, {{-104.0, 49.0}, {-97.2, 49.0}, {-96.6, 45.8}, {-96.45, 43.5}, {-98.5, 43.0}, {-104.05, 43.0},
                           {-104.05, 41.0}, {-111.0, 41.0}, {-111.0, 45.0}, {-104.0, 45.0}}},
        {Kind::Territory, {{-104.05, 43.0}, {-98.5, 43.0}, {-96.45, 42.5}, {-95.85, 40.0}, {-102.05, 40.0}, {-102.05, 41.0},
                           {-104.05, 41.0}}},
        {Kind::Union, {{-102.05, 40.0}, {-95.85, 40.0}, {-95.3, 40.0}, {-94.6, 39.1}, {-94.62, 37.0}, {-102.05, 37.0}}},
        {Kind::Territory, {{-103.0, 37.0}, {-94.62, 37.0}, {-94.45, 35.4}, {-94.48, 33.64}, {-96.0, 33.8}, {-97.2, 33.75},
                           {-98.0, 34.1}, {-99.2, 34.4}, {-100.0, 34.56}, {-100.0, 36.5}, {-103.0, 36.5}}},
        // The Confederacy
        {Kind::Confederate, {{-103.0, 36.5}, {-100.0, 36.5}, {-100.0, 34.56}, {-99.2, 34.4}, {-98.0, 34.1}, {-97.2, 33.75},
                             {-96.0, 33.8}, {-94.48, 33.64}, {-94.04, 33.55}, {-94.04, 32.0}, {-93.75, 31.0}, {-93.83, 29.7},
                             {-94.8, 29.3}, {-96.5, 28.4}, {-97.4, 27.4}, {-97.2, 25.9}, {-99.1, 26.5}, {-100.3, 28.0},
                             {-101.4, 29.8}, {-102.4, 29.8}, {-103.1, 29.0}, {-104.5, 29.6}, {-106.5, 31.8}, {-106.6, 32.0},
                             {-103.0, 32.0}}},
        {Kind::Confederate, {{-94.04, 33.02}, {-91.17, 33.0}, {-91.05, 32.3}, {-91.4, 31.6}, {-91.6, 31.0}, {-89.73, 31.0},
                             {-89.6, 30.2}, {-89.3, 30.0}, {-89.0, 29.2}, {-89.4, 29.0}, {-90.2, 29.1}, {-91.3, 29.3},
                             {-92.3, 29.55}, {-93.83, 29.7}, {-93.75, 31.0}, {-94.04, 32.0}}},
        {Kind::Confederate, {{-94.62, 36.5}, {-90.15, 36.5}, {-90.37, 36.0}, {-89.7, 36.0}, {-90.1, 35.0}, {-90.6, 34.5},
                             {-91.1, 33.6}, {-91.17, 33.0}, {-94.04, 33.02}, {-94.04, 33.55}, {-94.48, 33.64},
                             {-94.45, 35.4}}},
        {Kind::Confederate, {{-90.1, 35.0}, {-88.2, 35.0}, {-88.45, 31.9}, {-88.4, 30.4}, {-89.3, 30.3}, {-89.6, 30.2},
                             {-89.73, 31.0}, {-91.6, 31.0}, {-91.4, 31.6}, {-91.05, 32.3}, {-91.17, 33.0}, {-91.1, 33.6},
                             {-90.6, 34.5}}},
        {Kind::Confederate, {{-88.2, 35.0}, {-85.6, 35.0}, {-85.6, 34.0}, {-85.2, 32.9}, {-85.0, 32.3}, {-85.1, 31.7},
                             {-85.0, 31.0}, {-87.6, 31.0}, {-87.4, 30.3}, {-87.95, 30.7}, {-88.1, 30.25}, {-88.4, 30.4},
                             {-88.45, 31.9}}},
        {Kind::Confederate, {{-87.6, 31.0}, {-85.0, 31.0}, {-84.86, 30.7}, {-82.2, 30.57}, {-81.5, 30.7}, {-81.3, 29.9},
                             {-80.6, 28.6}, {-80.05, 26.8}, {-80.1, 25.8}, {-80.4, 25.2}, {-81.1, 25.15}, {-81.7, 25.9},
                             {-82.2, 26.7}, {-82.7, 27.7}, {-82.65, 28.4}, {-83.0, 29.1}, {-83.7, 29.95}, {-84.4, 29.95},
                             {-85.4, 29.7}, {-86.5, 30.4}, {-87.4, 30.3}}},
        {Kind::Confederate, {{-85.6, 35.0}, {-84.32, 35.0}, {-83.1, 35.0}, {-83.35, 34.7}, {-82.7, 34.1}, {-82.2, 33.6},
                             {-81.5, 32.9}, {-81.1, 32.05}, {-81.2, 31.5}, {-81.45, 30.7}, {-81.5, 30.7}, {-82.2, 30.57},
                             {-84.86, 30.7}, {-85.0, 31.0}, {-85.1, 31.7}, {-85.0, 32.3}, {-85.2, 32.9}, {-85.6, 34.0}}},
        {Kind::Confederate, {{-83.1, 35.0}, {-82.4, 35.2}, {-80.95, 35.1}, {-80.8, 34.8}, {-79.7, 34.8}, {-78.55, 33.85},
                             {-79.2, 33.2}, {-80.0, 32.6}, {-80.85, 32.1}, {-81.1, 32.05}, {-81.5, 32.9}, {-82.2, 33.6},
                             {-82.7, 34.1}, {-83.35, 34.7}}},
        {Kind::Confederate, {{-84.32, 35.0}, {-84.3, 35.25}, {-82.6, 36.0}, {-81.9, 36.3}, {-81.7, 36.6}, {-75.87, 36.55},
                             {-75.5, 35.8}, {-75.5, 35.2}, {-76.5, 34.7}, {-77.5, 34.4}, {-78.55, 33.85}, {-79.7, 34.8},
                             {-80.8, 34.8}, {-80.95, 35.1}, {-82.4, 35.2}, {-83.1, 35.0}}},
        {Kind::Confederate, {{-90.1, 35.0}, {-89.7, 36.0}, {-89.5, 36.5}, {-88.07, 36.5}, {-88.07, 36.68}, {-83.67, 36.6},
                             {-81.7, 36.6}, {-81.9, 36.3}, {-82.6, 36.0}, {-84.3, 35.25}, {-84.32, 35.0}}},
        {Kind::Confederate, {{-77.05, 38.8}, {-77.5, 39.2}, {-77.72, 39.32}, {-78.1, 39.15}, {-78.4, 39.0}, {-78.9, 38.6},
                             {-79.3, 38.4}, {-79.65, 38.55}, {-80.0, 38.0}, {-80.3, 37.5}, {-81.0, 37.3}, {-81.7, 37.2},
                             {-82.0, 37.55}, {-82.6, 37.2}, {-83.67, 36.6}, {-81.7, 36.6}, {-75.87, 36.55}, {-76.0, 36.9},
                             {-76.3, 37.0}, {-76.35, 37.5}, {-76.25, 38.0}, {-76.55, 38.2}, {-77.0, 38.4}}},
        // The loyal states
        {Kind::Union, {{-80.52, 40.64}, {-80.52, 39.72}, {-79.48, 39.72}, {-79.48, 39.2}, {-78.8, 39.6}, {-78.3, 39.6},
                       {-77.8, 39.35}, {-77.72, 39.32}, {-78.1, 39.15}, {-78.4, 39.0}, {-78.9, 38.6}, {-79.3, 38.4},
                       {-79.65, 38.55}, {-80.0, 38.0}, {-80.3, 37.5}, {-81.0, 37.3}, {-81.7, 37.2}, {-82.0, 37.55},
                       {-82.6, 38.2}, {-82.6, 38.45}, {-82.2, 38.6}, {-81.7, 39.2}, {-80.85, 39.7}, {-80.6, 40.3}}},
        {Kind::Voting, {{-95.77, 40.58}, {-91.42, 40.38}, {-91.0, 39.6}, {-90.6, 39.1}, {-90.1, 38.7}, {-90.2, 38.0},
                        {-89.5, 37.3}, {-89.1, 36.95}, {-89.5, 36.5}, {-89.7, 36.0}, {-90.37, 36.0}, {-90.15, 36.5},
                        {-94.62, 36.5}, {-94.62, 37.0}, {-94.6, 39.1}, {-95.3, 40.0}}},
        {Kind::Voting, {{-89.5, 36.5}, {-89.1, 36.95}, {-88.5, 37.1}, {-88.05, 37.5}, {-88.05, 37.8}, {-87.6, 37.9},
                        {-87.1, 37.8}, {-86.5, 38.0}, {-86.0, 38.2}, {-85.4, 38.7}, {-84.82, 39.1}, {-84.2, 38.8},
                        {-83.3, 38.6}, {-82.6, 38.45}, {-82.6, 38.2}, {-82.0, 37.55}, {-82.6, 37.2}, {-83.67, 36.6},
                        {-88.07, 36.68}, {-88.07, 36.5}}},
        {Kind::Voting, {{-96.6, 43.5}, {-91.22, 43.5}, {-91.1, 42.7}, {-90.6, 42.4}, {-90.2, 41.8}, {-91.0, 41.2},
                        {-91.42, 40.38}, {-95.77, 40.58}, {-96.0, 41.5}, {-96.45, 42.5}}},
        {Kind::Voting, {{-97.2, 49.0}, {-95.15, 49.0}, {-95.15, 49.4}, {-94.8, 48.7}, {-93.0, 48.6}, {-89.6, 48.0},
                        {-92.1, 46.75}, {-92.3, 46.1}, {-92.8, 45.6}, {-92.7, 44.7}, {-91.3, 43.9}, {-91.22, 43.5},
                        {-96.45, 43.5}, {-96.6, 45.8}}},
        {Kind::Voting, {{-92.1, 46.75}, {-90.4, 46.6}, {-88.1, 45.8}, {-87.6, 45.1}, {-87.5, 44.5}, {-87.7, 43.5},
                        {-87.8, 42.5}, {-90.6, 42.5}, {-91.1, 42.7}, {-91.22, 43.5}, {-91.3, 43.9}, {-92.7, 44.7},
                        {-92.8, 45.6}, {-92.3, 46.1}}},
        {Kind::Voting, {{-90.6, 42.5}, {-87.8, 42.5}, {-87.5, 41.7}, {-87.53, 39.4}, {-87.65, 38.6}, {-88.0, 38.0},
                        {-88.05, 37.5}, {-88.5, 37.1}, {-89.1, 36.95}, {-89.5, 37.3}, {-90.2, 38.0}, {-90.1, 38.7},
                        {-90.6, 39.1}, {-91.0, 39.6}, {-91.42, 40.38}, {-91.0, 41.2}, {-90.2, 41.8}, {-90.6, 42.4}}},
        {Kind::Voting, {{-86.8, 41.76}, {-84.8, 41.7}, {-83.45, 41.73}, {-83.1, 42.1}, {-82.5, 42.6}, {-82.4, 43.0},
                        {-82.6, 43.9}, {-83.4, 44.0}, {-83.3, 44.6}, {-83.4, 45.1}, {-84.7, 45.8}, {-85.5, 45.2},
                        {-86.1, 44.0}, {-86.5, 43.0}, {-86.2, 42.3}}},
        {Kind::Union, {{-90.4, 46.6}, {-89.0, 47.0}, {-87.5, 46.9}, {-85.0, 46.8}, {-84.4, 46.4}, {-84.6, 45.9},
                       {-85.8, 46.0}, {-86.7, 45.8}, {-87.6, 45.1}, {-88.1, 45.8}}},
        {Kind::Voting, {{-87.5, 41.7}, {-86.8, 41.76}, {-84.8, 41.7}, {-84.82, 39.1}, {-85.4, 38.7}, {-86.0, 38.2},
                        {-86.5, 38.0}, {-87.1, 37.8}, {-87.6, 37.9}, {-88.05, 37.8}, {-88.0, 38.0}, {-87.65, 38.6},
                        {-87.53, 39.4}}},
        {Kind::Voting, {{-84.8, 41.7}, {-83.45, 41.73}, {-82.7, 41.45}, {-81.7, 41.5}, {-80.52, 41.98}, {-80.52, 40.64},
                        {-80.6, 40.3}, {-80.85, 39.7}, {-81.7, 39.2}, {-82.2, 38.6}, {-82.6, 38.45}, {-83.3, 38.6},
                        {-84.2, 38.8}, {-84.82, 39.1}}},
        {Kind::Voting, {{-80.52, 42.0}, {-79.76, 42.27}, {-79.76, 42.0}, {-75.36, 42.0}, {-75.07, 41.8}, {-74.69, 41.36},
                        {-75.1, 40.9}, {-75.05, 40.55}, {-74.75, 40.2}, {-75.13, 39.95}, {-75.4, 39.8}, {-75.79, 39.72},
                        {-80.52, 39.72}}},
        {Kind::Voting, {{-79.76, 42.0}, {-79.76, 42.27}, {-78.90, 42.88}, {-79.05, 43.25}, {-77.60, 43.25}, {-76.20, 43.50},
                        {-76.30, 44.20}, {-75.00, 44.95}, {-74.70, 45.00}, {-73.34, 45.01}, {-73.43, 44.00}, {-73.26, 42.74},
                        {-73.50, 42.05}, {-73.73, 41.10}, {-73.65, 40.98}, {-72.50, 41.00}, {-71.86, 41.07}, {-72.40, 40.85},
                        {-73.40, 40.63}, {-74.02, 40.57}, {-74.03, 40.75}, {-73.92, 41.00}, {-74.69, 41.36},
                        {-75.07, 41.8}, {-75.36, 42.00}}},
        {Kind::Voting, {{-74.69, 41.36}, {-73.92, 41.0}, {-74.03, 40.75}, {-74.0, 40.45}, {-73.98, 40.2}, {-74.2, 39.6},
                        {-74.95, 38.93}, {-75.55, 39.6}, {-75.13, 39.95}, {-74.75, 40.2}, {-75.05, 40.55}, {-75.1, 40.9}}},
        {Kind::Voting, {{-75.79, 39.72}, {-75.4, 39.8}, {-75.55, 39.6}, {-75.5, 39.3}, {-75.05, 38.8}, {-75.05, 38.45},
                        {-75.7, 38.45}}},
        {Kind::Voting, {{-79.48, 39.72}, {-75.79, 39.72}, {-75.7, 38.45}, {-75.05, 38.45}, {-75.25, 38.03}, {-75.65, 37.95},
                        {-76.0, 38.3}, {-76.25, 38.0}, {-76.55, 38.2}, {-77.0, 38.4}, {-77.05, 38.8}, {-77.5, 39.2},
                        {-77.8, 39.35}, {-78.3, 39.6}, {-78.8, 39.6}, {-79.48, 39.2}}},
        {Kind::Voting, {{-73.50, 42.05}, {-71.80, 42.02}, {-71.85, 41.28}, {-72.90, 41.25}, {-73.65, 40.98}, {-73.73, 41.10}}},
        {Kind::Voting, {{-71.80, 42.02}, {-71.25, 42.02}, {-70.90, 41.50}, {-71.30, 41.30}, {-71.85, 41.28}}},
        {Kind::Voting, {{-73.50, 42.05}, {-73.26, 42.74}, {-72.56, 42.73}, {-70.81, 42.87}, {-70.60, 42.55}, {-71.00, 42.30},
                        {-70.60, 42.00}, {-70.00, 42.05}, {-69.93, 41.67}, {-70.45, 41.63}, {-70.90, 41.50}, {-71.25, 42.02},
                        {-71.80, 42.02}}},
        {Kind::Voting, {{-73.26, 42.74}, {-72.56, 42.73}, {-72.40, 43.6}, {-72.03, 44.32}, {-71.60, 44.50}, {-71.50, 45.01},
                        {-73.34, 45.01}, {-73.43, 44.0}}},
        {Kind::Voting, {{-72.56, 42.73}, {-70.81, 42.87}, {-70.70, 43.09}, {-71.08, 45.30}, {-71.50, 45.01}, {-71.60, 44.50},
                        {-72.03, 44.32}, {-72.40, 43.6}}},
        {Kind::Voting, {{-71.08, 45.3}, {-70.70, 43.09}, {-70.2, 43.6}, {-69.0, 44.0}, {-67.0, 44.8}, {-67.8, 45.7},
                        {-67.8, 47.1}, {-69.2, 47.4}, {-70.0, 46.7}, {-70.3, 45.9}}},
        // Lakes and the great bay
        {Kind::Water, {{-92.1, 46.75}, {-90.4, 46.6}, {-89.0, 47.0}, {-87.5, 46.9}, {-85.0, 46.8}, {-84.6, 46.5}, {-84.8, 47.0},
                       {-85.8, 47.8}, {-88.0, 48.8}, {-89.6, 48.0}, {-91.0, 47.3}}},
        {Kind::Water, {{-87.8, 42.5}, {-87.7, 43.5}, {-87.5, 44.5}, {-87.6, 45.1}, {-86.7, 45.8}, {-85.8, 46.0}, {-84.7, 45.8},
                       {-85.5, 45.2}, {-86.1, 44.0}, {-86.5, 43.0}, {-86.2, 42.3}, {-86.8, 41.76}, {-87.5, 41.7}}},
        {Kind::Water, {{-84.6, 45.9}, {-84.7, 45.8}, {-83.4, 45.1}, {-83.3, 44.6}, {-83.4, 44.0}, {-82.6, 43.9}, {-82.4, 43.0},
                       {-81.7, 43.4}, {-81.7, 44.3}, {-81.3, 45.2}, {-82.5, 45.9}, {-83.6, 46.1}}},
        {Kind::Water, {{-83.45, 41.73}, {-82.7, 41.45}, {-81.7, 41.5}, {-80.52, 41.98}, {-79.76, 42.27}, {-78.90, 42.88},
                       {-79.5, 42.85}, {-80.4, 42.6}, {-81.6, 42.6}, {-82.5, 42.0}, {-83.1, 42.1}}},
        {Kind::Water, {{-79.05, 43.25}, {-77.60, 43.25}, {-76.20, 43.50}, {-76.3, 44.2}, {-77.0, 44.0}, {-78.5, 43.9},
                       {-79.5, 43.6}}},
        {Kind::Water, {{-76.05, 39.5}, {-76.45, 39.2}, {-76.5, 38.8}, {-76.35, 38.3}, {-76.25, 37.5}, {-76.3, 37.0},
                       {-75.98, 37.0}, {-75.95, 37.5}, {-76.0, 38.0}, {-76.1, 38.3}, {-76.2, 38.8}}},
    };
    return regions;
}

// Inner points of the voting states, in the order of their fill points.
struct Anchor {
    int state;
    LonLat at;
};
const std::vector<Anchor>& Anchors() {
    static const std::vector<Anchor> anchors = {
        {1, {-120.5, 44.0}}, {2, {-119.5, 37.2}}, {3, {-94.5, 46.0}},  {4, {-93.5, 42.0}},  {5, {-89.7, 44.5}},
        {6, {-89.2, 40.0}},  {7, {-84.6, 43.4}},  {8, {-86.2, 39.9}},  {9, {-82.8, 40.3}},  {10, {-77.6, 41.0}},
        {11, {-75.5, 42.9}}, {12, {-71.6, 43.8}}, {13, {-72.7, 44.1}}, {14, {-69.2, 45.4}}, {15, {-72.0, 42.35}},
        {16, {-71.5, 41.7}}, {17, {-72.7, 41.6}}, {18, {-74.5, 40.1}}, {19, {-92.5, 38.4}}, {20, {-85.3, 37.5}},
        {32, {-76.9, 39.35}}, {33, {-75.5, 39.0}},
    };
    return anchors;
}

// Far points that the warp leaves where the overall fit puts them.
const std::vector<LonLat>& FixedPoints() {
    static const std::vector<LonLat> points = {
        {-124.5, 48.5}, {-104.0, 47.0}, {-106.5, 31.8}, {-97.4, 26.0}, {-90.0, 29.5},
        {-80.5, 25.5},  {-83.5, 32.5},  {-79.0, 35.5},  {-108.0, 40.0}, {-115.0, 33.0},
    };
    return points;
}

QPointF Albers(LonLat p) {
    constexpr double kPi = 3.14159265358979;
    const double r = kPi / 180.0;
    const double phi1 = 29.5 * r, phi2 = 45.5 * r, phi0 = 23.0 * r, lambda0 = -96.0 * r;
    const double n = (std::sin(phi1) + std::sin(phi2)) / 2;
    const double c = std::cos(phi1) * std::cos(phi1) + 2 * n * std::sin(phi1);
    const double rho0 = std::sqrt(c - 2 * n * std::sin(phi0)) / n;
    const double rho = std::sqrt(c - 2 * n * std::sin(p.lat * r)) / n;
    const double theta = n * (p.lon * r - lambda0);
    return {rho * std::sin(theta), -(rho0 - rho * std::cos(theta))};
}

// Solves a small dense system in place (Gaussian elimination with partial pivoting).
std::vector<double> Solve(std::vector<std::vector<double>> a, std::vector<double> b) {
    const std::size_t n = b.size();
    for (std::size_t col = 0; col < n; ++col) {
        std::size_t pivot = col;
        for (std::size_t row = col + 1; row < n; ++row)
            if (std::fabs(a[row][col]) > std::fabs(a[pivot][col])) pivot = row;
        std::swap(a[col], a[pivot]);
        std::swap(b[col], b[pivot]);
        for (std::size_t row = col + 1; row < n; ++row) {
            const double f = a[row][col] / a[col][col];
            for (std::size_t k = col; k < n; ++k) a[row][k] -= f * a[col][k];
            b[row] -= f * b[col];
        }
    }
    std::vector<double> x(n);
    for (std::size_t i = n; i-- > 0;) {
        double s = b[i];
        for (std::size_t k = i + 1; k < n; ++k) s -= a[i][k] * x[k];
        x[i] = s / a[i][i];
    }
    return x;
}

// Projection, then a least-squares affine fit of the anchors to their fill points, then a
// thin-plate spline through the remaining differences.
class Warp {
public:
    Warp() {
        const auto& anchors = Anchors();
        const auto& fills = ElectionFillPoints();
        std::vector<QPointF> from;
        std::vector<QPointF> to;
        for (std::size_t i = 0; i < anchors.size(); ++i) {
            from.push_back(Albers(anchors[i].at));
            to.push_back(QPointF(fills[i].at));
        }
        FitAffine(from, to);
        for (const LonLat& p : FixedPoints()) {
            const QPointF q = Albers(p);
            from.push_back(q);
            to.push_back(Affine(q));
        }
        FitSpline(from, to);
    }
    QPointF operator()(LonLat p) const { return Map(Albers(p)); }

private:
    QPointF Affine(QPointF p) const { return {ax[0] * p.x() + ax[1] * p.y() + ax[2], ay[0] * p.x() + ay[1] * p.y() + ay[2]}; }
    static double Kernel(double r2) { return r2 <= 0 ? 0 : r2 * std::log(r2); }
    QPointF Map(QPointF p) const {
        QPointF out = Affine(p);
        for (std::size_t i = 0; i < centres.size(); ++i) {
            const double dx = p.x() - centres[i].x(), dy = p.y() - centres[i].y();
            const double k = Kernel(dx * dx + dy * dy);
            out += QPointF(wx[i] * k, wy[i] * k);
        }
        return out;
    }
    void FitAffine(const std::vector<QPointF>& from, const std::vector<QPointF>& to) {
        std::vector<std::vector<double>> m(3, std::vector<double>(3, 0));
        std::vector<double> bx(3, 0), by(3, 0);
        for (std::size_t i = 0; i < from.size(); ++i) {
            const double v[3] = {from[i].x(), from[i].y(), 1};
            for (int r = 0; r < 3; ++r) {
                for (int c = 0; c < 3; ++c) m[r][c] += v[r] * v[c];
                bx[r] += v[r] * to[i].x();
                by[r] += v[r] * to[i].y();
            }
        }
        const auto sx = Solve(m, bx);
        const auto sy = Solve(m, by);
        for (int i = 0; i < 3; ++i) { ax[i] = sx[i]; ay[i] = sy[i]; }
    }
    void FitSpline(const std::vector<QPointF>& from, const std::vector<QPointF>& to) {
        centres = from;
        const std::size_t n = from.size();
        std::vector<std::vector<double>> a(n, std::vector<double>(n, 0));
        std::vector<double> rx(n), ry(n);
        for (std::size_t i = 0; i < n; ++i) {
            for (std::size_t j = 0; j < n; ++j) {
                const double dx = from[i].x() - from[j].x(), dy = from[i].y() - from[j].y();
                a[i][j] = Kernel(dx * dx + dy * dy);
            }
            const QPointF d = to[i] - Affine(from[i]);
            rx[i] = d.x();
            ry[i] = d.y();
        }
        wx = Solve(a, rx);
        wy = Solve(a, ry);
    }
    double ax[3] = {}, ay[3] = {};
    std::vector<QPointF> centres;
    std::vector<double> wx, wy;
};

QColor FillOf(Kind kind) {
    switch (kind) {
        case Kind::Voting: return QColor(246, 236, 204);
        case Kind::Union: return QColor(234, 224, 192);
        case Kind::Confederate: return QColor(206, 198, 176);
        case Kind::Territory: return QColor(228, 220, 198);
        case Kind::Foreign: return QColor(214, 210, 196);
        case Kind::Water: return QColor(170, 192, 204);
    }
    return kPaper;
}

}  // namespace

const std::vector<FillPoint>& ElectionFillPoints() {
    // The points the game fills: the engine's table is the one truth.
    static const std::vector<FillPoint> points = [] {
        std::vector<FillPoint> out;
        for (const TElectionFillPoint& p : kvt::ElectionFillPoints()) out.push_back({p.state, QPoint(p.x, p.y)});
        return out;
    }();
    return points;
}

QImage DrawElectionMap() {
    constexpr int kWidth = 640;
    constexpr int kHeight = 400;
    QImage img(kWidth, kHeight, QImage::Format_RGB888);
    const QColor sea(170, 192, 204);
    img.fill(sea);
    const Warp warp;
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, false);
    // Fill every region first, then draw every border, so each state is closed by its own line.
    // Land first, then the lakes and the bay over the land and its lines.
    const QColor border(92, 70, 48);
    for (bool water : {false, true}) {
        std::vector<QPolygonF> shapes;
        for (const Region& region : Regions()) {
            if ((region.kind == Kind::Water) != water) continue;
            QPolygonF shape;
            for (const LonLat& point : region.outline) shape << warp(point);
            shapes.push_back(shape);
            p.setPen(Qt::NoPen);
            p.setBrush(FillOf(region.kind));
            p.drawPolygon(shape);
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(water ? QColor(96, 120, 140) : border, 2));
        for (const QPolygonF& shape : shapes) p.drawPolygon(shape);
    }
    // Title and key in the open Atlantic and the Gulf, away from every fill point.
    QFont title("DejaVu Serif", 12, QFont::Bold);
    p.setFont(title);
    p.setPen(kInk);
    p.drawText(QRect(330, 352, 220, 24), Qt::AlignCenter, "THE ELECTION OF 1864");
    QFont small("DejaVu Serif", 9);
    small.setItalic(true);
    p.setFont(small);
    p.drawText(QRect(330, 376, 220, 18), Qt::AlignCenter, "The loyal states cast their votes");
    p.end();
    return img;
}

}  // namespace kvt::pictures
