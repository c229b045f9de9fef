// Frame composition: depth order, hero-following scroll, drawing the frame.
#pragma once

struct Engine;

void SortForDepth(Engine& engine);
bool IsSorted(Engine& engine);
void FollowHero(Engine& engine);
void Blit(Engine& engine);
