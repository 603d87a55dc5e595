VERSION 5.00
Begin VB.Form TestFormEvents
   BackColor       =   &H00FFFFFF&
   BorderStyle     =   3  'Fixed Dialog
   Caption         =   "Event Testing"
   ClientHeight    =   5715
   ClientLeft      =   0
   ClientTop       =   0
   ClientWidth     =   4695
   BeginProperty Font
      Name            =   "Tahoma"
      Size            =   8.25
      Charset         =   0
      Weight          =   400
      Underline       =   0
      Italic          =   0
      Strikethrough   =   0
   EndProperty
   ForeColor       =   &H80000012&
   MaxButton       =   0   'False
   MinButton       =   0   'False
   ScaleHeight    =   5715
   ScaleWidth     =   4695
   ShowInTaskbar   =   0   'False
   StartUpPosition =   1  'CenterOwner
   Begin VB.Frame Frame1
      Caption         =   "Frame1"
      BackColor       =   &H00FFFFFF&
      ForeColor       =   &H80000012&
      Height          =   2400
      Left            =   240
      TabIndex        =   0
      Top             =   240
      Width           =   4200
      Begin VB.Label MouseOverLabel
         Caption         =   "MouseOver: "
         BackColor       =   &H00FFFFFF&
         ForeColor       =   &H80000012&
         Height          =   360
         Left            =   360
         TabIndex        =   0
         Top             =   240
         Width           =   3360
         WordWrap        =   -1
      End
      Begin VB.Label MouseOutLabel
         Caption         =   "MouseOut: "
         BackColor       =   &H00FFFFFF&
         ForeColor       =   &H80000012&
         Height          =   360
         Left            =   360
         TabIndex        =   1
         Top             =   680
         Width           =   3360
         WordWrap        =   -1
      End
      Begin VB.Label FocusLabel
         Caption         =   "Focus: "
         BackColor       =   &H00FFFFFF&
         ForeColor       =   &H80000012&
         Height          =   360
         Left            =   360
         TabIndex        =   2
         Top             =   1120
         Width           =   3360
         WordWrap        =   -1
      End
      Begin VB.Label BlurLabel
         Caption         =   "Blur: "
         BackColor       =   &H00FFFFFF&
         ForeColor       =   &H80000012&
         Height          =   360
         Left            =   360
         TabIndex        =   3
         Top             =   1560
         Width           =   3360
         WordWrap        =   -1
      End
   End
   Begin VB.Frame Frame2
      Caption         =   "Frame2"
      BackColor       =   &H00FFFFFF&
      ForeColor       =   &H80000012&
      Height          =   1680
      Left            =   240
      TabIndex        =   1
      Top             =   2880
      Width           =   4200
      Begin VB.TextBox TextBox1
         BackColor       =   &H80000005&
         ForeColor       =   &H80000008&
         Height          =   360
         Left            =   240
         TabIndex        =   0
         Top             =   360
         Width           =   3600
      End
      Begin VB.TextBox TextBox2
         BackColor       =   &H80000005&
         ForeColor       =   &H80000008&
         Height          =   360
         Left            =   240
         TabIndex        =   1
         Top             =   960
         Width           =   3600
      End
   End
   Begin VB.CommandButton CommandButton1
      Caption         =   "Button1"
      BackColor       =   &H0080B91E&
      Height          =   480
      Left            =   720
      TabIndex        =   2
      Top             =   4920
      Width           =   1440
   End
   Begin VB.CommandButton CommandButton2
      Caption         =   "Button2"
      BackColor       =   &H0080B91E&
      Height          =   480
      Left            =   2640
      TabIndex        =   3
      Top             =   4920
      Width           =   1440
   End
End
Attribute VB_Name = "TestFormEvents"
Attribute VB_GlobalNameSpace = False
Attribute VB_Creatable = False
Attribute VB_PredeclaredId = True
Attribute VB_Exposed = False

Option Explicit

Private WithEvents Emitter As EventListenerEmitter

Private Sub Form_Activate()
    Set Emitter = New EventListenerEmitter
    Emitter.AddEventListenerAll Me
End Sub

' Command Button Events
Private Sub Emitter_CommandButtonMouseOver(CommandButton As MSForms.CommandButton)
    CommandButton.Backcolor = 9029664
End Sub

Private Sub Emitter_CommandButtonMouseOut(CommandButton As MSForms.CommandButton)
    CommandButton.Backcolor = 8435998
End Sub

' Textbox Events
Private Sub Emitter_TextboxBlur(Textbox As MSForms.Textbox)
    RendorEventLabel Textbox, Blur
    
    ' CHANGE BORDER COLOR BACK TO A LIGHT GREY
    Textbox.BorderColor = 12434877
    Textbox.BorderStyle = fmBorderStyleNone
    Textbox.BorderStyle = fmBorderStyleSingle
End Sub

Private Sub Emitter_TextboxFocus(Textbox As MSForms.Textbox)
    RendorEventLabel Textbox, Focus
    
    ' CHANGE BORDER COLOR FOR TEXTBOX TO A LIGHT BLUE
    Textbox.BorderColor = 16034051
    Textbox.BorderStyle = fmBorderStyleNone
    Textbox.BorderStyle = fmBorderStyleSingle
End Sub

' Mouse Over/out events
Private Sub Emitter_MouseOut(control As Object)
    RendorEventLabel control, MouseOut
End Sub

Private Sub Emitter_MouseOver(control As Object)
    RendorEventLabel control, MouseOver
End Sub

' Update form to demo what events are happening
Private Sub RendorEventLabel(control As Object, EventName As EmittedEvent)
    Select Case EventName
        Case MouseOver
            MouseOverLabel.Caption = "MouseOver: " & control.name
        
        Case MouseOut
            MouseOutLabel.Caption = "MouseOut: " & control.name
        
        Case Focus
            FocusLabel.Caption = "Focus: " & control.name
            
        Case Blur
            BlurLabel.Caption = "Blur: " & control.name
    End Select
End Sub




