-- Run by ardour7-lua: loads the VST3 factory preset of VevadurROT on a track whose controls were
-- moved away from it. The load must return at once (Ardour holds a lock while it sets the
-- program) and Ardour's controls must read back the preset's values.
-- Prints "RESULT: PASS" or "RESULT: FAIL".
local common = dofile(debug.getinfo(1, "S").source:sub(2):match("(.*/)") .. "ardour-common.lua")
local fail = common.fail

common.startDummyEngine(48000)
Session = create_session(os.getenv("ARDOUR_TEST_DIR") .. "/session", "preset", 48000)
if not Session then fail("no session") end

local tracks = Session:new_audio_track(2, 2, nil, 1, "T", ARDOUR.PresentationInfo.max_order,
	ARDOUR.TrackMode.Normal, true, false)
local track = nil
for t in tracks:iter() do track = t end
if not track then fail("no track") end
local effect = ARDOUR.LuaAPI.new_plugin(Session, "VevadurROT", ARDOUR.PluginType.VST3, "")
if effect:isnil() then fail("plug-in not found") end
if track:to_route():add_processor_by_index(effect, -1, nil, true) ~= 0 then fail("cannot insert") end
local plugin = effect:to_insert():plugin(0)

-- Ardour's parameter index: (name, plain value the test sets, the preset's plain value).
local controls = {
	[0] = { "Gain", 0.25, 0.5 },
	[3] = { "Abs L-R", 2.0, 7.0 },
	[8] = { "Decay Type", 0.0, 1.0 },
	[11] = { "Speed", 1.0, 0.0 },
}
for index, c in pairs(controls) do
	if plugin:parameter_label(index) ~= c[1] then fail("parameter " .. index .. " is not " .. c[1]) end
	ARDOUR.LuaAPI.set_processor_param(effect, index, c[2])
end

local preset = plugin:preset_by_label("Factory Preset")
if not preset then fail("no factory preset") end
local started = os.time()
if not plugin:load_preset(preset) then fail("the preset does not load") end
local took = os.time() - started
print(string.format("load_preset returned after %d s", took))
if took > 2 then fail("loading the preset took too long") end

-- The new values reach Ardour's controls with the next processed block.
local function matches()
	for index, c in pairs(controls) do
		local v = ARDOUR.LuaAPI.get_processor_param(effect, index, true)
		if math.abs(v - c[3]) > 1e-6 then return false end
	end
	return true
end
local waited = 0
while not matches() and waited < 5000 do
	ARDOUR.LuaAPI.usleep(10000)
	waited = waited + 10
end
for index, c in pairs(controls) do
	print(string.format("%s = %g (preset %g)", c[1], ARDOUR.LuaAPI.get_processor_param(effect, index, true), c[3]))
end
if not matches() then fail("the controls did not read back as the preset's within 5 s (last values above)") end
print("RESULT: PASS")
io.stdout:flush()
os.exit(0)
