-- Run by ardour7-lua, first of two: a session with a noise region on a stereo track through
-- VevadurROT (VST3, or LV2 when VEVADUR_PLUGIN_TYPE says so), every room control set as
-- ardour-room-values.lua says, saved. The second script reloads it in a new process. Prints
-- "RESULT: PASS" or "RESULT: FAIL".
local dir = os.getenv("ARDOUR_TEST_DIR")

local common = dofile(debug.getinfo(1, "S").source:sub(2):match("(.*/)") .. "ardour-common.lua")
local fail = common.fail
local values = dofile(common.beside("ardour-room-values.lua"))

common.startDummyEngine(48000)
Session = create_session(dir .. "/reload", "reload", 48000)
if not Session then fail("no session") end

local tracks = Session:new_audio_track(2, 2, nil, 1, "T", ARDOUR.PresentationInfo.max_order,
	ARDOUR.TrackMode.Normal, true, false)
local track = nil
for t in tracks:iter() do track = t end
if not track then fail("no track") end
local route = track:to_route()

-- Half a second of Ardour's noise, a tenth of a second in: its room response has died away
-- well before the end of a 3.5 s render.
local generator = ARDOUR.LuaAPI.new_plugin(Session, "ACE Noise", ARDOUR.PluginType.Lua, "")
if generator:isnil() then fail("no noise generator") end
route:add_processor_by_index(generator, -1, nil, true)
local noise = track:bounce_range(0, 24000, ARDOUR.InterThreadInfo(), track:main_outs(), false, "noise")
if noise:isnil() then fail("no noise") end
route:remove_processor(generator, nil, true)
track:playlist():add_region(noise, Temporal.timepos_t(4800), 1, false, 0, 0, false)

local effect = nil
if os.getenv("VEVADUR_PLUGIN_TYPE") == "LV2" then
	effect = ARDOUR.LuaAPI.new_plugin(Session, "urn:rovazuro:vevadurrot", ARDOUR.PluginType.LV2, "")
else
	effect = ARDOUR.LuaAPI.new_plugin(Session, "VevadurROT", ARDOUR.PluginType.VST3, "")
end
if effect:isnil() then fail("plug-in not found") end
if route:add_processor_by_index(effect, -1, nil, true) ~= 0 then fail("cannot insert") end
local plugin = effect:to_insert():plugin(0)
for _, v in ipairs(values) do
	-- Ardour's parameter number v[1] is the plug-in's port or parameter id
	local id = plugin:nth_parameter(v[1], true)
	if plugin:parameter_label(id) ~= v[2] then fail("parameter " .. v[1] .. " is not " .. v[2]) end
	ARDOUR.LuaAPI.set_processor_param(effect, v[1], v[3])
end
-- Let the values reach the processor before its state is saved.
ARDOUR.LuaAPI.usleep(200000)
if Session:save_state("", false, false, false, false, false) ~= 0 then fail("cannot save") end
print("saved")
print("RESULT: PASS")
io.stdout:flush()
os.exit(0)
