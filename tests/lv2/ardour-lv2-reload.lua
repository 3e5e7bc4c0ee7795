-- Run by ardour7-lua after ardour-session-save.lua saved a session with the LV2 plug-in: reloads
-- it in a new process, as a user reopens a project. Every room control must read as saved, and
-- the reloaded room must sound as VevadurROT as VST3 with those values does (each bounced once
-- to settle first). Prints "RESULT: PASS" or "RESULT: FAIL".
local dir = os.getenv("ARDOUR_TEST_DIR")
local length = 168000 -- 3.5 s

local vst3Tests = os.getenv("VEVADUR_VST3_TESTS")
local common = dofile(vst3Tests .. "/ardour-common.lua")
local fail = common.fail
local values = dofile(vst3Tests .. "/ardour-room-values.lua")

common.startDummyEngine(48000)
Session = load_session(dir .. "/reload", "reload")
if not Session then fail("the session does not load") end

local route = Session:route_by_name("T")
if route:isnil() then fail("no track") end
local track = route:to_track()
local effect = route:nth_plugin(0)
if effect:isnil() then fail("the plug-in is gone") end
if effect:to_insert():type() ~= ARDOUR.PluginType.LV2 then fail("the plug-in is not the LV2 one") end

local ok = true
for _, v in ipairs(values) do
	local got = ARDOUR.LuaAPI.get_processor_param(effect, v[1], true)
	print(string.format("%s = %g (saved %g)", v[2], got, v[3]))
	if math.abs(got - v[3]) > 1e-5 * math.max(1, math.abs(v[3])) then ok = false end
end
if not ok then fail("the controls do not read as saved") end

local buffer = ARDOUR.DSP.DspShm(8192)
local function render(name)
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

render("lv2 settling")
local viaLv2 = render("lv2")
route:remove_processor(effect, nil, true)
local vst3 = ARDOUR.LuaAPI.new_plugin(Session, "VevadurROT", ARDOUR.PluginType.VST3, "")
if vst3:isnil() then fail("no VST3 plug-in") end
if route:add_processor_by_index(vst3, -1, nil, true) ~= 0 then fail("cannot insert the VST3") end
for _, v in ipairs(values) do ARDOUR.LuaAPI.set_processor_param(vst3, v[1], v[3]) end
ARDOUR.LuaAPI.usleep(200000)
render("vst3 settling")
local viaVst3 = render("vst3")

if #viaLv2 ~= #viaVst3 or #viaLv2 == 0 then fail("the renders differ in length") end
local peak, worst = 0, 0
for i = 1, #viaLv2 do
	peak = math.max(peak, math.abs(viaVst3[i]))
	worst = math.max(worst, math.abs(viaLv2[i] - viaVst3[i]))
end
print(string.format("reloaded LV2 against VST3: peak %.6g, largest difference %.6g", peak, worst))
if peak < 1e-4 then fail("the render is silent") end
if worst > 1e-6 * peak then fail("the reloaded LV2 room does not sound as its values say") end
print("RESULT: PASS")
io.stdout:flush()
os.exit(0)
