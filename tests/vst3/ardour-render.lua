-- Run by ardour7-lua: renders a noise region through the VevadurROT VST3 on a stereo track, once
-- dry, once through the plug-in and once with it deactivated, and checks what comes out.
-- Prints "RESULT: PASS" or "RESULT: FAIL" and exits with 0 or 1.
local rate = 48000
local onset = 4800     -- the region starts here, after silence
local length = 48000   -- each bounce covers one second
local latency = 255    -- the wet signal comes at least this much after its input
local slack = 512      -- the response's first partitions are silent, so onsets land later

local common = dofile(debug.getinfo(1, "S").source:sub(2):match("(.*/)") .. "ardour-common.lua")
local fail = common.fail

common.startDummyEngine(rate)

Session = create_session(os.getenv("ARDOUR_TEST_DIR") .. "/session", "render", rate)
if not Session then fail("no session") end

local tracks = Session:new_audio_track(2, 2, nil, 1, "T", ARDOUR.PresentationInfo.max_order,
	ARDOUR.TrackMode.Normal, true, false)
local track = nil
for t in tracks:iter() do track = t end
if not track then fail("no track") end
local route = track:to_route()

local function addPlugin(name, kind)
	local plugin = ARDOUR.LuaAPI.new_plugin(Session, name, kind, "")
	if plugin:isnil() then fail("plug-in not found: " .. name) end
	if route:add_processor_by_index(plugin, -1, nil, true) ~= 0 then fail("cannot insert " .. name) end
	return plugin
end

local function bounce(name)
	local region = track:bounce_range(0, length, ARDOUR.InterThreadInfo(), track:main_outs(), false, name)
	if region:isnil() then fail("no bounce: " .. name) end
	return region
end

-- First non-zero sample over all channels, peak, rms, and whether every sample is finite.
local buffer = ARDOUR.DSP.DspShm(8192)
local function measure(region)
	local readable = region:to_audioregion():to_readable()
	local frames, channels = readable:readable_length(), readable:n_channels()
	local result = { first = -1, peak = 0, finite = true, energy = 0 }
	for c = 0, channels - 1 do
		local position = 0
		repeat
			local got = readable:read(buffer:to_float(0), position, 8192, c)
			local samples = buffer:to_float(0):array()
			for i = 1, got do
				local x = samples[i]
				if x ~= x or x == math.huge or x == -math.huge then
					result.finite = false
				else
					local a = math.abs(x)
					result.peak = math.max(result.peak, a)
					result.energy = result.energy + x * x
					local index = position + i - 1
					if a > 0 and (result.first < 0 or index < result.first) then result.first = index end
				end
			end
			position = position + got
		until got < 8192
	end
	result.rms = math.sqrt(result.energy / math.max(1, frames * channels))
	return result
end

local function show(name, m)
	print(string.format("%s: first=%d peak=%.6g rms=%.6g finite=%s", name, m.first, m.peak, m.rms,
		tostring(m.finite)))
end

-- The input: Ardour's own noise generator bounced to a region, placed after some silence.
local generator = addPlugin("ACE Noise", ARDOUR.PluginType.Lua)
local noise = bounce("noise")
route:remove_processor(generator, nil, true)
track:playlist():add_region(noise, Temporal.timepos_t(onset), 1, false, 0, 0, false)

local dry = measure(bounce("dry"))
show("dry", dry)
if dry.first < 0 then fail("the dry bounce is silent") end

local effect = addPlugin("VevadurROT", ARDOUR.PluginType.VST3)
local wet = measure(bounce("wet"))
show("wet", wet)
effect:deactivate()
local off = measure(bounce("deactivated"))
show("deactivated", off)

local ok = true
local function check(condition, message)
	if not condition then
		print("CHECK: " .. message)
		ok = false
	end
end
check(wet.finite, "the wet bounce has non-finite samples")
check(wet.peak > 1e-4, "the wet bounce is silent")
local delay = wet.first - dry.first
print(string.format("onset delay %d samples", delay))
check(delay >= latency and delay <= latency + slack, "the wet onset is not where the room puts it")
check(math.abs(wet.rms - dry.rms) > 1e-6 * dry.rms, "the wet bounce equals the dry one")
check(off.first == dry.first and math.abs(off.rms - dry.rms) <= 1e-9,
	"the deactivated plug-in does not pass the input through")
print(ok and "RESULT: PASS" or "RESULT: FAIL")
io.stdout:flush()
os.exit(ok and 0 or 1)
