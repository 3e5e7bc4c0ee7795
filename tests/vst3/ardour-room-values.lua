-- The room controls the reload test saves: Ardour's parameter index, title and the plain value,
-- each away from its default except Speed, which stays 0 so that renders do not depend on the
-- rotation phase. Decay Type 0 is the exponential curve.
return {
	{ 0, "Gain", 0.25 },
	{ 1, "Position", 7 },
	{ 2, "Vol L-R", 0.5 },
	{ 3, "Abs L-R", 3.5 },
	{ 4, "Vol F-B", 0.75 },
	{ 5, "Abs F-B", 10.5 },
	{ 6, "Vol C-F", 0.25 },
	{ 7, "Abs C-F", 1.75 },
	{ 8, "Decay Type", 0 },
	{ 9, "Stereo/Mono", 1 },
	{ 10, "Left/Right", 1 },
	{ 11, "Speed", 0 },
	{ 12, "Reverse", 1 },
}
