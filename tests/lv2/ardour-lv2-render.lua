-- Run by ardour7-lua: a noise region on a stereo track is bounced through VevadurROT as VST3 and
-- then as LV2, both with every room control set as ardour-room-values.lua says; the two bounces
-- must be equal. Each format's first bounce after its controls were set only lets the room
-- settle: when Ardour hands the new values over differs between its VST3 and LV2 hosting.
-- Deactivated, the LV2 plug-in (bypassed through its "enabled" port) must pass the input
-- through. Prints "RESULT: PASS" or "RESULT: FAIL" and exits with 0 or 1.
local rate = 48000
local length = 168000 -- 3.5 s: the room has died away before the next bounce

local vst3Tests = os.getenv("VEVADUR_VST3_TESTS")
local common = dofile(vst3Tests .. "/ardour-common.lua")
local fail = common.fail
local values = dofile(vst3Tests .. "/ardour-room-values.lua")

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

local buffer = ARDOUR.DSP.DspShm(8192)
local function bounce(name)
	local region = track:bounce_range(0, length, ARDOUR.InterThreadInfo(), track:main_outs(), false, name)
	if region:isnil() then fail("no bounce: " .. name) end
	local readable = region:to_audioregion():to_readable()
	local samples = {}
	for c = 0, readable:n_channels() - 1 do
		local position = 0
		repeat
			local got = readable:read(buffer:to_float(0), position, 8192, c)
			local block = buffer:to_float(0):array()
			for i = 1, got do samples[#samples + 1] = block[i] end
			position = position + got
		until got < 8192
	end
	return samples
end

-- Sets every room control by its Ardour parameter number, checking its title first.
local function setRoom(effect)
	local plugin = effect:to_insert():plugin(0)
	for _, v in ipairs(values) do
		local id = plugin:nth_parameter(v[1], true)
		if plugin:parameter_label(id) ~= v[2] then fail("parameter " .. v[1] .. " is not " .. v[2]) end
		if not ARDOUR.LuaAPI.set_processor_param(effect, v[1], v[3]) then fail("cannot set " .. v[2]) end
	end
	-- Let the values reach the processor before the bounce.
	ARDOUR.LuaAPI.usleep(200000)
end

local function largestDifference(a, b)
	if #a ~= #b or #a == 0 then fail("the bounces differ in length") end
	local peak, worst = 0, 0
	for i = 1, #a do
		peak = math.max(peak, math.abs(a[i]))
		worst = math.max(worst, math.abs(a[i] - b[i]))
	end
	return worst, peak
end

-- Half a second of Ardour's noise, a tenth of a second in.
local generator = addPlugin("ACE Noise", ARDOUR.PluginType.Lua)
local noise = track:bounce_range(0, 24000, ARDOUR.InterThreadInfo(), track:main_outs(), false, "noise")
if noise:isnil() then fail("no noise") end
route:remove_processor(generator, nil, true)
track:playlist():add_region(noise, Temporal.timepos_t(4800), 1, false, 0, 0, false)
local dry = bounce("dry")

local vst3 = addPlugin("VevadurROT", ARDOUR.PluginType.VST3)
setRoom(vst3)
bounce("vst3 settling")
local viaVst3 = bounce("vst3")
route:remove_processor(vst3, nil, true)

local lv2 = addPlugin("urn:rovazuro:vevadurrot", ARDOUR.PluginType.LV2)
setRoom(lv2)
bounce("lv2 settling")
local viaLv2 = bounce("lv2")
lv2:deactivate()
local bypassed = bounce("bypassed")

local worst, peak = largestDifference(viaVst3, viaLv2)
print(string.format("LV2 against VST3: peak %.6g, largest difference %.6g", peak, worst))
if peak < 1e-4 then fail("the VST3 bounce is silent") end
if worst > 1e-6 * peak then fail("the LV2 bounce differs from the VST3 one") end
local offWorst = largestDifference(dry, bypassed)
print(string.format("deactivated against dry: largest difference %.6g", offWorst))
if offWorst > 0 then fail("the deactivated LV2 plug-in does not pass the input through") end
print("RESULT: PASS")
io.stdout:flush()
os.exit(0)
